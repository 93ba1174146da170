#pragma once

#include <string>

#include "base/Shell.h"

namespace quorix {

// The file dialogs of the phonebook and datebook backups: "Excel File (*.csv)|*.csv|Text File
// (*.txt)|*.txt", extension "csv", starting in the current working directory.
FileChoice BackupFileChoice(const std::string& title);

// Tells the user that the backup at path was written as UTF-8, since the code page of the older
// copies cannot hold all of its characters.
void TellUtf8Backup(Shell& shell, const std::string& path);

// Tells the user where a saved file went: the status bar and the popup.
void TellSaved(Shell& shell, const std::string& what, const std::string& path);

}  // namespace quorix
