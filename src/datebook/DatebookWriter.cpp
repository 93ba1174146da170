#include "datebook/DatebookWriter.h"

#include <string>

#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "datebook/DatebookSession.h"
#include "link/AtExchange.h"
#include "link/AtReply.h"
#include "link/PhoneReset.h"
#include "phonebook/PhonebookMessages.h"

namespace quorix {

namespace {

std::string WriteCommand(int number, const DatebookRecord& record) {
  std::string command = "AT+MDBW=" + std::to_string(number);
  for (const std::string& field : record) command += "," + field;
  return command;
}

}  // namespace

DatebookRestoreOutcome WriteDatebookToPhone(DatebookSession app, Shell& shell, AtExchange& at,
                                            Clock& clock) {
  const DatebookTable& table = app.datebook.DatebookRecords;
  const LongCommand oneErrorBox(at);
  DatebookRestoreOutcome outcome;
  outcome.RecordsToWrite = UsedDatebookRecords(table);
  app.flags.UploadHadErrors = false;

  shell.ProgressSetMax(kDatebookRecords);
  shell.ProgressSetPosition(0);
  shell.ProgressSetText(Tr("Запись данных в телефон..."));
  shell.ProgressShow();

  // The port is closed once a reply is cut short: not even the unlock can go out then.
  const auto stopUnanswered = [&] {
    outcome.PhoneSilent = true;
    app.flags.UploadHadErrors = true;
    shell.ProgressClose();
    return outcome;
  };
  // Sends the command and logs the reply; false when the reply was cut short.
  std::string reply;
  const auto exchange = [&](const std::string& command) {
    at.SendATCommand(command, reply);
    shell.LogLine(reply);
    return ReplyComplete(reply);
  };

  SendReset(app.link, at, shell, clock);
  if (!app.link.PhoneConnected || !exchange("AT+CSCS=UCS2")) return stopUnanswered();
  shell.ProcessEvents();
  if (!exchange("AT+MDBL=1")) return stopUnanswered();

  for (int n = 0; n < kDatebookRecords; ++n) {
    if (app.flags.AbortRequested) {
      outcome.Aborted = true;
      break;
    }
    const DatebookRecord& record = table[n];
    if (!DatebookRecordUsed(record)) continue;
    ++outcome.WritesSent;
    const bool complete = exchange(WriteCommand(n, record));
    if (!complete || ReplyEndedInError(reply)) {
      ++outcome.FailedWrites;
      app.flags.UploadHadErrors = true;
    }
    if (!complete) return stopUnanswered();
    shell.ProgressStep(1);
    shell.ProcessEvents();
  }

  exchange("AT+MDBL=0");
  shell.ProgressClose();
  return outcome;
}

void ReportDatebookRestore(Shell& shell, const DatebookSession& app,
                           const DatebookRestoreOutcome& outcome) {
  if (outcome.Aborted) return;
  if (outcome.PhoneSilent) {
    shell.Message(WarningCaption(),
                  Tr("Телефон не отвечает: запись ежедневника прервана. Записано ") +
                      std::to_string(outcome.WritesSent - outcome.FailedWrites) + Tr(" из ") +
                      std::to_string(outcome.RecordsToWrite) + Tr(" записей."),
                  MessageIcon::Warning);
    return;
  }
  shell.Message(ProgramCaption(),
                app.flags.UploadHadErrors ? Tr("Загрузка завершена с ошибками!")
                                          : Tr("Загрузка успешно завершена!"),
                MessageIcon::Information);
}

}  // namespace quorix
