#include <filesystem>

#include "base/BackupFileChoice.h"
#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"
#include "phonebook/CategoryTree.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookMessages.h"
#include "phonebook/PhonebookSession.h"
#include "phonebook/UnsavedChanges.h"

namespace quorix {

namespace {

// A backup of a reading that did not get everything would replace a good one with less.
std::string IncompleteBackupQuestion(const PhonebookReadOutcome& reading, const std::string& path) {
  return Tr("Справочник прочитан не полностью: прочитано ") + std::to_string(reading.RecordsRead) +
         Tr(" из ") + std::to_string(reading.RecordsReported) + Tr(" записей. Заменить файл ") +
         path + Tr(" этой неполной копией?");
}

}  // namespace

void ToolButton11Click(PhonebookSession& app, Shell& shell, Clock& clock) {
  // What is loaded is saved without a phone: it may be all that is left of one.
  bool loaded = false;
  for (int i = 1; i <= kEntryRows && !loaded; ++i) loaded = EntryIsUsed(app.phonebook, i);
  for (int c = 1; c <= kCategoryRows && !loaded; ++c) {
    loaded = !app.phonebook.Categories[c][CategoryName].empty();
  }
  if (!loaded) {
    shell.Message(WarningCaption(),
                  Tr("Справочник пуст: прочитайте его из телефона или восстановите из "
                     "файла."),
                  MessageIcon::Warning);
    return;
  }
  const auto path = shell.ChooseSaveFile(BackupFileChoice("Save As"));
  if (!path || path->empty()) return;
  std::error_code error;
  const PhonebookReadOutcome& reading = app.phonebook.LastReading;
  if (reading.HadFailures() && std::filesystem::exists(*path, error) &&
      !shell.AskYesNo(WarningCaption(), IncompleteBackupQuestion(reading, *path))) {
    return;
  }
  try {
    if (SavePhonebookFile(app, clock, *path)) TellUtf8Backup(shell, *path);
    TellSaved(shell, Tr("Резервная копия справочника сохранена"), *path);
  } catch (const PhonebookFileError& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
  }
}

void ToolButton12Click(PhonebookSession& app, Shell& shell) {
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
