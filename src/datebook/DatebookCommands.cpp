#include "datebook/DatebookCommands.h"

#include <filesystem>

#include "base/BackupFileChoice.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "datebook/DatebookFile.h"
#include "datebook/DatebookList.h"
#include "datebook/DatebookSession.h"
#include "datebook/DatebookWriter.h"
#include "link/PhoneConnection.h"
#include "phonebook/PhonebookMessages.h"

namespace quorix {

namespace {

// A backup of a reading that did not get everything would replace a good one with less.
std::string IncompleteBackupQuestion(const DatebookReadOutcome& reading, const std::string& path) {
  return Tr("Ежедневник прочитан не полностью (прочитано записей: ") +
         std::to_string(reading.RecordsRead) + Tr("). Заменить файл ") + path +
         Tr(" этой неполной копией?");
}

}  // namespace

void Button7Click(DatebookSession app, Shell& shell, Clock& clock) {
  // What is loaded is saved without a phone: it may be all that is left of one.
  if (UsedDatebookRecords(app.datebook.DatebookRecords) == 0) {
    shell.Message("Warning!", Tr("Ежедневник пуст: прочитайте его из телефона."),
                  MessageIcon::Warning);
    return;
  }
  const auto path = shell.ChooseSaveFile(BackupFileChoice("Save As"));
  if (!path || path->empty()) return;
  std::error_code error;
  const DatebookReadOutcome& reading = app.datebook.LastReading;
  if (reading.HadFailures() && std::filesystem::exists(*path, error) &&
      !shell.AskYesNo(WarningCaption(), IncompleteBackupQuestion(reading, *path))) {
    return;
  }
  try {
    if (SaveDatebookFile(app.datebook.DatebookRecords, clock, *path)) TellUtf8Backup(shell, *path);
    TellSaved(shell, Tr("Резервная копия ежедневника сохранена"), *path);
  } catch (const DatebookFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
  }
}

void Button10Click(DatebookSession app, Shell& shell, PhoneConnection& phone, Clock& clock) {
  app.flags.AbortRequested = false;
  if (!phone.RequireConnection()) return;
  const auto path = shell.ChooseOpenFile(BackupFileChoice("Open Phonebook file"));
  if (!path || path->empty()) return;
  try {
    app.datebook.DatebookRecords = ReadDatebookFile(*path);
  } catch (const DatebookFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
    return;
  }
  // The table now holds the whole file, not a reading that may have missed records.
  app.datebook.LastReading = {};
  RebuildDatebookList(app.datebook.LVCal, app.datebook.DatebookRecords);
  ReportDatebookRestore(shell, app, WriteDatebookToPhone(app, shell, phone, clock));
}

}  // namespace quorix
