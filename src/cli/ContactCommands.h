#pragma once

#include "cli/CliCommand.h"

namespace quorix::cli {

// phonebook export VCF [--from BACKUP | reading options]: the phonebook of the phone, or of a
// backup file, as vCard contacts.
int PhonebookExportCommand(CliContext& ctx);
// phonebook import VCF [--save FILE [--from BACKUP]] [--advanced]: the contacts into the free rows
// of the phone's phonebook and uploaded, or offline into a backup file.
int PhonebookImportCommand(CliContext& ctx);

}  // namespace quorix::cli
