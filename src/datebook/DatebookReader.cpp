#include "datebook/DatebookReader.h"

#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "datebook/DatebookReplies.h"
#include "datebook/DatebookSession.h"
#include "link/AtExchange.h"
#include "link/CountedExchange.h"
#include "phonebook/PhonebookMessages.h"

namespace quorix {

namespace {

// Only whole lines of a reply cut short are taken: the last one may have lost its end.
std::string WholeLines(const std::string& reply) {
  const size_t end = reply.rfind('\r');
  return end == std::string::npos ? std::string() : reply.substr(0, end + 1);
}

void TakeRecords(DatebookState& db, const std::string& reply) {
  db.LastReading.BadRecord = ScanDatebookLines(reply, [&db](DatebookLine&& line) {
                               // A number the reply repeats replaces its record: the last wins.
                               db.DatebookRecords[line.Index] = line.Fields;
                               ShowDatebookRow(db.LVCal, DatebookRow(line.Index, line.Fields));
                               ++db.LastReading.RecordsRead;
                             }).value_or("");
}

}  // namespace

DatebookReadOutcome ReadDatebook(DatebookSession app, Shell& shell, AtExchange& at) {
  DatebookState& db = app.datebook;
  const LongCommand oneErrorBox(at);
  db.LVCal.clear();
  db.DatebookRecords = {};
  DatebookReadOutcome& outcome = db.LastReading;
  outcome = {};
  outcome.Finished = false;

  shell.ProgressSetPosition(0);
  shell.ProgressSetMax(100);
  shell.ProgressSetText(Tr("Чтение записей ежедневника..."));
  shell.ProgressShow();
  shell.ProcessEvents();

  // The port is closed once a reply is cut short: not even the unlock can go out then.
  const auto stopUnanswered = [&] {
    outcome.PhoneSilent = true;
    shell.ProgressClose();
    return outcome;
  };
  std::string reply;
  for (const char* command : {"AT+CSCS=UCS2", "AT+MDBL=1"}) {
    const bool complete = SendCounted(at, outcome.Exchanges, command, reply);
    shell.LogLine(reply);
    if (!complete) return stopUnanswered();
  }

  const std::string read = "AT+MDBR=0,499";
  const bool complete = SendCounted(at, outcome.Exchanges, read, reply);
  shell.ProgressSetPosition(100);
  shell.LogLine(read);
  shell.LogLine(reply);
  TakeRecords(db, complete ? reply : WholeLines(reply));
  if (!complete) return stopUnanswered();

  SendCounted(at, outcome.Exchanges, "AT+MDBL=0", reply);
  shell.LogLine(reply);
  if (!outcome.BadRecord.empty()) return outcome;
  shell.ProgressClose();
  outcome.Finished = true;
  return outcome;
}

void ReportDatebookReading(Shell& shell, const DatebookReadOutcome& outcome) {
  if (outcome.Exchanges.Requests == 0 || !outcome.HadFailures()) return;
  const std::string count = Tr(" Прочитано записей: ") + std::to_string(outcome.RecordsRead) + ".";
  if (outcome.PhoneSilent) {
    shell.Message(WarningCaption(), Tr("Телефон не отвечает: чтение ежедневника прервано.") + count,
                  MessageIcon::Warning);
  } else if (!outcome.BadRecord.empty()) {
    shell.Message(ProgramCaption(),
                  Tr("Чтение ежедневника остановлено на записи с неверным номером: ") +
                      outcome.BadRecord + "." + count,
                  MessageIcon::Error);
  } else {
    shell.Message(WarningCaption(),
                  Tr("Ежедневник прочитан с ошибками: ") +
                      std::to_string(outcome.Exchanges.Failed) + Tr(" из ") +
                      std::to_string(outcome.Exchanges.Requests) +
                      Tr(" запросов без ответа или с ошибкой.") + count,
                  MessageIcon::Warning);
  }
}

}  // namespace quorix
