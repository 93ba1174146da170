#pragma once

#include "cli/CliCommand.h"

namespace quorix::cli {

// datebook export ICS [--from BACKUP]: the datebook of the phone, or of a backup file, as
// iCalendar.
int DatebookExportCommand(CliContext& ctx);
// datebook import ICS [--save FILE [--from BACKUP]]: the events into the free records of the
// phone's datebook and written to it, or offline into a backup file.
int DatebookImportCommand(CliContext& ctx);

}  // namespace quorix::cli
