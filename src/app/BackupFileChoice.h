#pragma once

#include <string>

#include "app/Shell.h"

namespace quorix {

// The file dialogs of the phonebook and datebook backups: "Excel File (*.csv)|*.csv|Text File
// (*.txt)|*.txt", extension "csv", starting in the current working directory.
FileChoice BackupFileChoice(const std::string& title);

}  // namespace quorix
