#include <filesystem>

#include "app/AppState.h"
#include "app/BackupFileChoice.h"
#include "app/Shell.h"
#include "codec/CodePage.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/UnsavedChanges.h"

namespace quorix {

namespace {

// A backup of a reading that did not get everything would replace a good one with less.
std::string IncompleteBackupQuestion(const PhonebookReadOutcome& reading, const std::string& path) {
  return Ansi("Справочник прочитан не полностью: прочитано ") +
         std::to_string(reading.RecordsRead) + Ansi(" из ") +
         std::to_string(reading.RecordsReported) + Ansi(" записей. Заменить файл ") + path +
         Ansi(" этой неполной копией?");
}

}  // namespace

void ToolButton11Click(AppState& app, Shell& shell, Clock& clock) {
  if (!app.link.PhoneConnected) {
    shell.Message(WarningCaption(), Ansi("Сначала необходимо подключиться к телефону!"),
                  MessageIcon::Warning);
    return;
  }
  const auto path = shell.ChooseSaveFile(BackupFileChoice("Save As"));
  if (!path || path->empty()) return;
  std::error_code error;
  const PhonebookReadOutcome& reading = app.phonebook.LastReading;
  if (reading.HadFailures() && std::filesystem::exists(*path, error) &&
      !shell.AskYesNo(WarningCaption(), IncompleteBackupQuestion(reading, Utf8ToCp1251(*path)))) {
    return;
  }
  try {
    SavePhonebookFile(app, clock, *path);
  } catch (const PhonebookFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
  }
}

void ToolButton12Click(AppState& app, Shell& shell) {
  if (!ConfirmReplacingChanges(app, shell)) return;
  const auto path = shell.ChooseOpenFile(BackupFileChoice("Open Phonebook file"));
  if (!path || path->empty()) {
    RebuildCategoryTree(app.phonebook);
    return;
  }
  try {
    RestorePhonebookFile(app, shell, *path);
  } catch (const PhonebookFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
  }
}

}  // namespace quorix
