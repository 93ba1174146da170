#include "phonebook/PhonebookMemory.h"

#include "app/AppState.h"
#include "app/Conversion.h"
#include "link/AtExchange.h"

namespace quorix {

bool IsFiveHundredRecordModel(const std::string& model) {
  return model == "C650" || model == "V180" || model == "V220" || model == "C550";
}

bool IsFixedCountModel(const std::string& model) {
  return model == "E398" || model == "C350" || model == "V3";
}

PhonebookMemoryChoice ChoosePhonebookMemory(const AppState& app) {
  const SettingsPage& s = app.settings;
  const std::string& model = app.link.PhoneModel;
  const int phoneRecords = IsFiveHundredRecordModel(model) ? 500 : 1000;
  PhonebookMemoryChoice choice;
  choice.FirstIndex = app.phonebook.FirstIndex;
  choice.LastIndex = app.phonebook.LastIndex;
  choice.FixedCount = IsFixedCountModel(model);
  if (s.FromSIM && s.FromPHONE) {
    choice.Command = "AT+CPBS=\"MT\"";
    choice.FirstIndex = 1;
    choice.LastIndex = StrToInt(s.SIM) + phoneRecords;
  } else if (s.FromSIM) {
    choice.Command = "AT+CPBS=\"SM\"";
    choice.FirstIndex = phoneRecords == 500 ? 501 : 1000;
    choice.LastIndex = StrToInt(s.SIM) + phoneRecords;
  } else if (s.FromPHONE) {
    choice.Command = "AT+CPBS=\"ME\"";
    choice.FirstIndex = 1;
    choice.LastIndex = phoneRecords;
  }
  if (choice.FixedCount) choice.LastIndex = 1000;
  return choice;
}

void ApplyPhonebookMemory(AppState& app, const PhonebookMemoryChoice& choice) {
  app.phonebook.FirstIndex = choice.FirstIndex;
  app.phonebook.LastIndex = choice.LastIndex;
  if (choice.FixedCount) app.phonebook.ExpectedCount = 1000;
}

void SelectPhonebookMemory(AppState& app, AtExchange& at) {
  const PhonebookMemoryChoice choice = ChoosePhonebookMemory(app);
  std::string reply;
  at.SendATCommand(choice.Command, reply);
  ApplyPhonebookMemory(app, choice);
}

}  // namespace quorix
