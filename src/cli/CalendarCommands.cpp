#include "cli/CalendarCommands.h"

#include <ostream>
#include <string>

#include "base/BackupFileChoice.h"
#include "cli/CliLink.h"
#include "cli/FileArguments.h"
#include "datebook/DatebookFile.h"
#include "datebook/DatebookReader.h"
#include "datebook/DatebookWriter.h"
#include "datebook/ICalendarFile.h"

namespace quorix::cli {

namespace {

constexpr size_t kReportedEvents = 1000;

FileArguments Arguments(const CliContext& ctx, const std::string& what) {
  FileArguments a = ParseFileArguments(ctx, what);
  if (a.rest.size() > 1) throw UsageError(what + ": unexpected '" + a.rest[1] + "'");
  return a;
}

// The backup's records into table; false after telling why.
bool ReadBackup(const CliContext& ctx, const std::string& path, DatebookTable& table) {
  try {
    table = ReadDatebookFile(path);
  } catch (const DatebookFileError& e) {
    Tell(ctx, std::string("ERROR: ") + e.what());
    return false;
  }
  return true;
}

// Connects and reads the phone's datebook into the link's state; false after telling why.
bool ReadPhone(const CliContext& ctx, CliLink& link) {
  if (!link.Connect(ctx.err)) return false;
  const DatebookReadOutcome outcome = ReadDatebook(link.state, link.shell, link.phone);
  link.shell.ProgressClose();
  if (!outcome.HadFailures()) return true;
  ctx.err << "quorix-cli: the datebook could not be read whole (" << outcome.RecordsRead
          << " records read)\n";
  return false;
}

}  // namespace

int DatebookExportCommand(CliContext& ctx) {
  const FileArguments a = Arguments(ctx, "datebook export");
  if (a.save) throw UsageError("datebook export: --save goes with datebook read");
  CliLink link(ctx);
  DatebookTable& table = link.state.datebook.DatebookRecords;
  if (a.from ? !ReadBackup(ctx, *a.from, table) : !ReadPhone(ctx, link)) return kExitFailure;
  try {
    const CalendarExport outcome = SaveICalendarFile(table, link.clock, a.file);
    if (!outcome.Report.Empty()) Tell(ctx, ICalendarExportMessage(outcome, kReportedEvents));
    ctx.out << "exported " << outcome.Events << " events\n";
    return outcome.Report.Empty() ? kExitOk : kExitFailure;
  } catch (const ICalendarFileError& e) {
    Tell(ctx, std::string("quorix-cli: ") + e.what());
    return kExitFailure;
  }
}

int DatebookImportCommand(CliContext& ctx) {
  const FileArguments a = Arguments(ctx, "datebook import");
  if (a.from && !a.save) throw UsageError("datebook import: --from goes with --save FILE");
  CliLink link(ctx);
  AppState& state = link.state;
  DatebookTable& table = state.datebook.DatebookRecords;
  if (a.from && !ReadBackup(ctx, *a.from, table)) return kExitFailure;
  if (!a.save && !ReadPhone(ctx, link)) {
    ctx.err << "quorix-cli: nothing imported\n";
    return kExitFailure;
  }
  CalendarImport outcome;
  try {
    outcome = ImportICalendarFile(table, a.file);
  } catch (const ICalendarFileError& e) {
    Tell(ctx, std::string("ERROR: ") + e.what());
    return kExitFailure;
  }
  Tell(ctx, ICalendarImportMessage(outcome, kReportedEvents));
  if (a.save) {
    try {
      if (SaveDatebookFile(table, link.clock, *a.save)) TellUtf8Backup(link.shell, *a.save);
    } catch (const DatebookFileError& e) {
      Tell(ctx, std::string("quorix-cli: ") + e.what());
      return kExitFailure;
    }
    return kExitOk;
  }
  if (outcome.Added == 0) return kExitOk;
  state.AbortRequested = false;
  const DatebookRestoreOutcome written =
      WriteDatebookToPhone(state, link.shell, link.phone, link.clock);
  link.shell.ProgressClose();
  ctx.err << "quorix-cli: wrote " << written.WritesSent - written.FailedWrites << " of "
          << written.RecordsToWrite << " records\n";
  return written.HadFailures() ? kExitFailure : kExitOk;
}

}  // namespace quorix::cli
