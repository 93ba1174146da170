#include "phonebook/PhonebookReader.h"

#include <algorithm>

#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "codec/Ucs2.h"
#include "link/AtExchange.h"
#include "link/AtReply.h"
#include "link/CountedExchange.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/EntryList.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhoneFileReading.h"
#include "phonebook/PhonebookLabels.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookReplies.h"
#include "phonebook/PhonebookSession.h"

namespace quorix {

namespace {

bool Exchange(Shell& shell, AtExchange& at, PhonebookReadOutcome& outcome,
              const std::string& command, std::string& reply) {
  shell.LogLine(command);
  const bool complete = SendCounted(at, outcome.Exchanges, command, reply);
  shell.LogLine(reply);
  return complete;
}

// Every request left would wait out the reply limit in turn, and the reading would end as if the
// phone had nothing more: stop instead.
PhonebookReadOutcome StopUnanswered(PhonebookState& pb, Shell& shell) {
  RebuildCategoryTree(pb);
  shell.SetStatus(1, "");
  shell.ProgressClose();
  pb.LastReading.PhoneSilent = true;
  pb.LastReading.RecordsRead = pb.ReadCount;
  return pb.LastReading;
}

// The categories into reply. A phone with fewer than 30 answers AT+MPGR=1,30 with ERROR, so it
// is asked its count first and read 1..N; one that does not tell is read 1..30. False when the
// phone fell silent.
bool ReadCategories(PhonebookSession& app, Shell& shell, AtExchange& at,
                    PhonebookReadOutcome& outcome, std::string& reply) {
  PhonebookState& pb = app.phonebook;
  pb.CategoryCount = kCategoryRows;
  LearnCategoryCount(app, at);
  return Exchange(shell, at, outcome, "AT+MPGR=1," + std::to_string(pb.CategoryCount), reply);
}

}  // namespace

bool ParseCategoryReply(PhonebookSession& app, const std::string& reply) {
  PhonebookState& pb = app.phonebook;
  return ScanCategoryLines(reply, [&](CategoryLine&& line) {
    if (app.AbortRequested) return false;
    CategoryRow& row = pb.Categories[line.Index];
    row.Clear();
    for (size_t k = 0; k < line.Values.size(); ++k)
      row[CategoryName + static_cast<int>(k)] = line.Values[k];
    const std::string name = DecodeUcs2Hex(row[CategoryName]);
    ShowCategoryRow(pb, line.Index, name,
                    {name, ReadMelodyLabel(pb, row[CategoryMelody], CategoryDefaultMelodyLabel()),
                     LightAlertLabel(row[CategoryLight])});
    return true;
  });
}

void ParseEntryReply(PhonebookSession& app, Shell& shell, const std::string& reply, bool advanced) {
  PhonebookState& pb = app.phonebook;
  ScanRecordLines(reply, advanced, [&](RecordLine&& line) {
    EntryRow& row = pb.PhonebookEntries[line.Index];
    row.Clear();
    for (size_t k = 0; k < line.Values.size(); ++k)
      row[EntryNumber + static_cast<int>(k)] = std::move(line.Values[k]);
    if (ShowEntryRow(pb, ReadEntryRow(pb, line.Index, advanced))) {
      ++pb.ReadCount;
      shell.ProgressStep(1);
    }
    shell.ProcessEvents();
  });
}

PhonebookReadOutcome ReadPhonebook(PhonebookSession& app, Shell& shell, AtExchange& at,
                                   const PhoneFileLinks* files) {
  PhonebookState& pb = app.phonebook;
  // A block size below 1 would ask for the same records for ever, and sizes beyond the table
  // would run the indexes past what the phone has.
  if (const std::string problem = PhonebookRangeProblem(app); !problem.empty()) {
    shell.Message(WarningCaption(), problem, MessageIcon::Warning);
    PhonebookReadOutcome refused;
    refused.Finished = false;
    return refused;
  }
  const int blockSize = *NumberIn(app.settings.Range);

  const LongCommand oneErrorBox(at);
  shell.ProgressShow();
  shell.ProgressSetPosition(0);
  shell.SetTitle("Quorix");
  shell.SetStatus(1, Tr("Чтение информации..."));
  shell.ProgressSetText(Tr("Чтение категорий..."));
  shell.ProcessEvents();

  if (!pb.LV.empty() || !pb.LVCat.empty()) {
    ClearPhonebookTables(pb, shell);
  } else {
    EmptyPhonebookTables(pb);
  }
  pb.SelectedItemIndex = -1;
  pb.SelectedCategoryIndex = -1;
  pb.ReadCount = 0;
  // The tables now hold the phone's book: no change is pending, and an upload after this must
  // not clear the phone as it would after a restore (it would write back only the edited rows).
  app.DataModified = false;
  app.RestoredFromFile = false;
  PhonebookReadOutcome& outcome = pb.LastReading;
  outcome = {};
  outcome.Finished = false;

  std::string reply;
  if (!Exchange(shell, at, outcome, "AT+CSCS=UCS2", reply)) return StopUnanswered(pb, shell);

  const PhonebookMemoryChoice memory = ChoosePhonebookMemory(app);
  LearnMemoryLimits(app, at);
  if (!memory.Command.empty()) {
    shell.LogLine(memory.Command);
    std::string memoryReply;
    if (!SendCounted(at, outcome.Exchanges, memory.Command, memoryReply))
      return StopUnanswered(pb, shell);
  }
  ApplyPhonebookMemory(app, memory);

  pb.EntryEditorLists.ComboBox2.clear();
  pb.EntryEditorLists.Edit1.clear();
  pb.CategoryEditorLists.Edit1.clear();
  pb.Popup.AssignCategory.clear();

  if (!ReadCategories(app, shell, at, outcome, reply)) return StopUnanswered(pb, shell);
  if (!ParseCategoryReply(app, reply)) {
    outcome.Aborted = true;
    return outcome;
  }

  shell.ProgressSetPosition(0);
  shell.ProcessEvents();

  if (IsFixedCountModel(app.link.PhoneModel)) {
    const MemoryLimits& last = app.settings.FromSIM ? pb.SimMemory : pb.PhoneMemory;
    if (!last.Known()) pb.LastIndex = 1000;
    pb.ExpectedCount = 1000;
  } else {
    const bool complete = SendCounted(at, outcome.Exchanges, "AT+MPBSC=?", reply);
    shell.LogLine("AT+MPBSC=?");
    shell.LogLine(reply);
    if (!complete) return StopUnanswered(pb, shell);
    // A phone that refuses the count (a failure the closing message tells) is read over its
    // whole range rather than not at all.
    pb.ExpectedCount = ReplyEndedInError(reply) ? std::max(0, pb.LastIndex - pb.FirstIndex + 1)
                                                : ParseCountReply(reply);
  }
  outcome.RecordsReported = pb.ExpectedCount;

  shell.ProgressSetMax(pb.ExpectedCount);
  for (int a = pb.FirstIndex; a <= pb.LastIndex; a += blockSize) {
    if (app.AbortRequested) {
      outcome.Aborted = true;
      return outcome;
    }
    // Never past the memory's end: a real phone answers an index it does not have with ERROR.
    const std::string command = "AT+MPBR=" + std::to_string(a) + "," +
                                std::to_string(std::min(a + blockSize - 1, pb.LastIndex));
    shell.LogLine(command);
    const bool complete = SendCounted(at, outcome.Exchanges, command, reply);
    shell.ProgressSetText(Tr("Чтение записей справочника..."));
    shell.LogLine(reply);
    shell.ProcessEvents();
    if (!complete) return StopUnanswered(pb, shell);
    ParseEntryReply(app, shell, reply, app.settings.AdvancedPhoneBook);
    outcome.RecordsRead = pb.ReadCount;
    if (pb.ReadCount == pb.ExpectedCount) break;
  }

  RebuildCategoryTree(pb);
  shell.SetStatus(1, "");
  if (app.settings.P2K && files) {
    const PhoneFileOutcome step = ReadPhoneFileList(app, shell, *files);
    outcome.PhoneFilesIncomplete = !step.Listed;
    outcome.PhoneNotBack = !step.Back;
  }
  shell.ProgressClose();
  outcome.Finished = true;
  return outcome;
}

void ReportPhonebookReading(Shell& shell, const PhonebookReadOutcome& outcome) {
  if (outcome.Exchanges.Requests == 0 || outcome.Aborted || !outcome.HadFailures()) return;
  const std::string counts = std::to_string(outcome.RecordsRead) + Tr(" из ") +
                             std::to_string(outcome.RecordsReported) + Tr(" записей");
  if (outcome.PhoneSilent) {
    shell.Message(WarningCaption(),
                  Tr("Телефон не отвечает: чтение справочника прервано.") + "\r\n" +
                      Tr("Прочитано ") + counts + ".",
                  MessageIcon::Warning);
    return;
  }
  shell.Message(WarningCaption(),
                Tr("Справочник прочитан с ошибками: прочитано ") + counts + ", " +
                    std::to_string(outcome.Exchanges.Failed) + Tr(" из ") +
                    std::to_string(outcome.Exchanges.Requests) +
                    Tr(" запросов без ответа или с ошибкой."),
                MessageIcon::Warning);
}

}  // namespace quorix
