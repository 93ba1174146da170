#include "phonebook/PhonebookMemory.h"

#include <algorithm>

#include "base/Conversion.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "link/AtExchange.h"
#include "link/AtReply.h"
#include "phonebook/PhonebookReplies.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

bool IsFiveHundredRecordModel(const std::string& model) {
  return model == "C650" || model == "V180" || model == "V220" || model == "C550";
}

int PhoneMemoryRecords(const std::string& model) {
  return IsFiveHundredRecordModel(model) ? 500 : 1000;
}

bool IsFixedCountModel(const std::string& model) {
  return model == "E398" || model == "C350" || model == "V3";
}

std::string PhonebookRangeProblem(const PhonebookSession& app) {
  const auto blockSize = NumberIn(app.settings.Range);
  if (!blockSize || *blockSize < 1 || *blockSize > kEntryRows) {
    return Tr("Диапазон чтения должен быть числом записей от 1 до 1250!");
  }
  const int phoneRecords = PhoneMemoryRecords(app.link.PhoneModel);
  const auto sim = NumberIn(app.settings.SIM);
  if (app.settings.FromSIM && sim && (*sim < 0 || *sim > kEntryRows - phoneRecords)) {
    return Tr("Емкость SIM карты должна быть числом от 0 до ") +
           std::to_string(kEntryRows - phoneRecords) + "!";
  }
  return {};
}

PhonebookMemoryChoice ChoosePhonebookMemory(const PhonebookSession& app) {
  const SettingsPage& s = app.settings;
  const std::string& model = app.link.PhoneModel;
  const int phoneRecords = PhoneMemoryRecords(model);
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

int FirstIndexOfSelectedMemory(const PhonebookSession& app) {
  const SettingsPage& s = app.settings;
  if (!s.FromSIM || s.FromPHONE) return 1;
  if (app.phonebook.SimMemory.Known()) return app.phonebook.SimMemory.First;
  return (IsFiveHundredRecordModel(app.link.PhoneModel) ? 500 : 1000) + 1;
}

void ApplyPhonebookMemory(PhonebookSession& app, const PhonebookMemoryChoice& choice) {
  PhonebookState& pb = app.phonebook;
  pb.FirstIndex = choice.FirstIndex;
  pb.LastIndex = choice.LastIndex;
  if (choice.FixedCount) pb.ExpectedCount = 1000;
  if (choice.Command.empty()) return;
  const SettingsPage& s = app.settings;
  const MemoryLimits& first = s.FromPHONE ? pb.PhoneMemory : pb.SimMemory;
  const MemoryLimits& last = s.FromSIM ? pb.SimMemory : pb.PhoneMemory;
  if (first.Known()) pb.FirstIndex = std::clamp(first.First, 1, kEntryRows);
  if (last.Known()) pb.LastIndex = std::clamp(last.Last, 1, kEntryRows);
}

namespace {

MemoryLimits AskMemoryLimits(AtExchange& at, const std::string& memoryCommand, bool phoneMemory) {
  std::string reply;
  at.SendATCommand(memoryCommand, reply);
  if (ReplyEndedInError(reply)) return {};
  at.SendATCommand("AT+CPBR=?", reply);
  MemoryLimits limits = ParseCpbrLimits(reply);
  if (!limits.Known() && phoneMemory) {
    at.SendATCommand("AT+MPBR=?", reply);
    limits = ParseMpbrLimits(reply);
  }
  return limits;
}

}  // namespace

void LearnMemoryLimits(PhonebookSession& app, AtExchange& at) {
  const QuietQuestions quiet(at);
  PhonebookState& pb = app.phonebook;
  pb.PhoneMemory =
      app.settings.FromPHONE ? AskMemoryLimits(at, "AT+CPBS=\"ME\"", true) : MemoryLimits{};
  pb.SimMemory =
      app.settings.FromSIM ? AskMemoryLimits(at, "AT+CPBS=\"SM\"", false) : MemoryLimits{};
}

int NameLengthOfRow(const PhonebookTables& tables, int index) {
  constexpr int kUsualNameLength = 24;
  for (const MemoryLimits* memory : {&tables.SimMemory, &tables.PhoneMemory}) {
    if (memory->Known() && memory->NameLength > 0 && index >= memory->First &&
        index <= memory->Last) {
      return memory->NameLength;
    }
  }
  return kUsualNameLength;
}

void LearnCategoryCount(PhonebookSession& app, AtExchange& at) {
  const QuietQuestions quiet(at);
  std::string reply;
  at.SendATCommand("AT+MPGR=?", reply);
  if (const int count = ParseCategoryCount(reply); count > 0) app.phonebook.CategoryCount = count;
}

void SelectPhonebookMemory(PhonebookSession& app, AtExchange& at) {
  const PhonebookMemoryChoice choice = ChoosePhonebookMemory(app);
  LearnMemoryLimits(app, at);
  std::string reply;
  at.SendATCommand(choice.Command, reply);
  ApplyPhonebookMemory(app, choice);
}

}  // namespace quorix
