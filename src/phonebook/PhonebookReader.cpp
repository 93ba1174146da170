#include "phonebook/PhonebookReader.h"

#include "app/AppState.h"
#include "app/Shell.h"
#include "codec/CodePage.h"
#include "link/AtExchange.h"
#include "link/PhoneConnection.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookReplies.h"

namespace quorix {

namespace {

bool Exchange(Shell& shell, AtExchange& at, const std::string& command, std::string& reply) {
  shell.LogLine(command);
  at.SendATCommand(command, reply);
  shell.LogLine(reply);
  return ReplyComplete(reply);
}

// Every request left would wait out the reply limit in turn, and the reading would end as if the
// phone had nothing more: stop and say so instead.
bool StopUnanswered(PhonebookState& pb, Shell& shell) {
  RebuildCategoryTree(pb);
  shell.SetStatus(1, "");
  shell.ProgressClose();
  shell.Message(WarningCaption(), Ansi("Телефон не отвечает: чтение справочника прервано."),
                MessageIcon::Warning);
  return false;
}

}  // namespace

bool ReadPhonebook(AppState& app, Shell& shell, AtExchange& at) {
  PhonebookState& pb = app.phonebook;
  // A block size below 1 would ask for the same records for ever.
  const auto blockSize = NumberIn(app.settings.Range);
  if (!blockSize || *blockSize < 1) {
    shell.Message(WarningCaption(),
                  Ansi("Диапазон чтения должен быть положительным числом записей!"),
                  MessageIcon::Warning);
    return false;
  }

  shell.ProgressShow();
  shell.ProgressSetPosition(0);
  shell.SetTitle("Quorix");
  shell.SetStatus(1, Ansi("Чтение информации..."));
  shell.ProgressSetText(Ansi("Чтение категорий..."));
  shell.ProcessEvents();

  if (!pb.LV.empty() || !pb.LVCat.empty()) {
    ClearPhonebookTables(pb, shell);
  } else {
    EmptyPhonebookTables(pb);
  }
  pb.SelectedItemIndex = -1;
  pb.SelectedCategoryIndex = -1;

  std::string reply;
  if (!Exchange(shell, at, "AT+CSCS=UCS2", reply)) return StopUnanswered(pb, shell);

  const PhonebookMemoryChoice memory = ChoosePhonebookMemory(app);
  if (!memory.Command.empty()) {
    shell.LogLine(memory.Command);
    std::string memoryReply;
    at.SendATCommand(memory.Command, memoryReply);
    if (!ReplyComplete(memoryReply)) return StopUnanswered(pb, shell);
  }
  ApplyPhonebookMemory(app, memory);

  pb.EntryEditorLists.ComboBox2.clear();
  pb.EntryEditorLists.Edit1.clear();
  pb.CategoryEditorLists.Edit1.clear();
  pb.Popup.AssignCategory.clear();

  if (!Exchange(shell, at, "AT+MPGR=1,30", reply)) return StopUnanswered(pb, shell);
  if (!ParseCategoryReply(app, reply)) return true;

  shell.ProgressSetPosition(0);
  shell.ProcessEvents();

  if (IsFixedCountModel(app.link.PhoneModel)) {
    pb.LastIndex = 1000;
    pb.ExpectedCount = 1000;
  } else {
    at.SendATCommand("AT+MPBSC=?", reply);
    shell.LogLine("AT+MPBSC=?");
    shell.LogLine(reply);
    if (!ReplyComplete(reply)) return StopUnanswered(pb, shell);
    pb.ExpectedCount = ParseCountReply(reply);
  }

  shell.ProgressSetMax(pb.ExpectedCount);
  pb.ReadCount = 0;
  for (int a = pb.FirstIndex; a <= pb.LastIndex; a += *blockSize) {
    if (app.AbortRequested) return true;
    const std::string command =
        "AT+MPBR=" + std::to_string(a) + "," + std::to_string(a + *blockSize - 1);
    shell.LogLine(command);
    at.SendATCommand(command, reply);
    shell.ProgressSetText(Ansi("Чтение записей справочника..."));
    shell.LogLine(reply);
    shell.ProcessEvents();
    if (!ReplyComplete(reply)) return StopUnanswered(pb, shell);
    ParseEntryReply(app, shell, reply, app.settings.AdvancedPhoneBook);
    if (pb.ReadCount == pb.ExpectedCount) break;
  }

  RebuildCategoryTree(pb);
  shell.SetStatus(1, "");
  shell.ProgressClose();
  return true;
}

}  // namespace quorix
