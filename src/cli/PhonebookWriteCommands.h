#pragma once

#include "cli/CliCommand.h"

namespace quorix::cli {

// phonebook write FILE [--clear] [--advanced]: restores the backup and uploads every restored row.
int PhonebookWriteCommand(CliContext& ctx);
// phonebook clear [--yes]: deletes the categories and entries of the selected memory in the phone.
int PhonebookClearCommand(CliContext& ctx);

}  // namespace quorix::cli
