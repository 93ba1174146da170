#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/BackupFileChoice.h"
#include "cli/CalendarCommands.h"
#include "cli/CliCommand.h"
#include "cli/CliLink.h"
#include "cli/PhonebookTablePrinter.h"
#include "cli/PrintableText.h"
#include "codec/CodePage.h"
#include "datebook/DatebookFile.h"
#include "datebook/DatebookList.h"
#include "datebook/DatebookReader.h"
#include "datebook/DatebookWriter.h"

namespace quorix::cli {

namespace {

// One row a used record: its number, the description as plain text and fields 2..9 as held.
void PrintDatebook(const DatebookTable& table, std::ostream& out) {
  for (int n = 0; n < kDatebookRecords; ++n) {
    if (!DatebookRecordUsed(table[n])) continue;
    const DatebookListRow row = DatebookRow(n, table[n]);
    out << row.Caption;
    for (const std::string& cell : row.Cells) out << '\t' << TableField(cell);
    out << '\n';
  }
  out << std::flush;
}

std::string Message(const std::string& cp1251) {
  return Printable(cp1251);
}

// "read 8 records; 1 of 4 requests failed", and why the reading stopped early.
std::string Summary(const DatebookReadOutcome& outcome) {
  std::string text = "read " + std::to_string(outcome.RecordsRead) + " records; " +
                     std::to_string(outcome.Exchanges.Failed) + " of " +
                     std::to_string(outcome.Exchanges.Requests) + " requests failed";
  if (outcome.PhoneSilent) text += "; the phone stopped answering";
  if (!outcome.BadRecord.empty()) text += "; the reading stopped: " + Message(outcome.BadRecord);
  return text;
}

int ReadCommand(CliContext& ctx) {
  std::optional<std::string> savePath;
  bool savePartial = false;
  for (size_t i = 1; i < ctx.args.size(); ++i) {
    if (ctx.args[i] == "--save") {
      if (i + 1 >= ctx.args.size()) throw UsageError("--save needs a file name");
      savePath = ctx.args[++i];
    } else if (ctx.args[i] == "--save-partial") {
      savePartial = true;
    } else {
      throw UsageError("datebook read: unknown option '" + ctx.args[i] + "'");
    }
  }
  if (savePartial && !savePath) throw UsageError("--save-partial needs --save FILE");

  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  const DatebookReadOutcome outcome = ReadDatebook(link.state, link.shell, link.phone);
  // A bad record number leaves the progress window for a user to close; nobody is here to.
  link.shell.ProgressClose();
  const bool failed = outcome.HadFailures();
  if (failed) ctx.err << "quorix-cli: " << Summary(outcome) << '\n';
  const DatebookTable& table = link.state.datebook.DatebookRecords;
  if (savePath) {
    std::error_code error;
    if (failed && !savePartial && std::filesystem::exists(*savePath, error)) {
      ctx.err << "quorix-cli: " << Printable(*savePath)
              << " left as it was: the reading had failures (--save-partial replaces it)\n";
    } else {
      try {
        if (SaveDatebookFile(table, link.clock, *savePath)) TellUtf8Backup(link.shell, *savePath);
      } catch (const DatebookFileError& e) {
        ctx.err << "quorix-cli: " << Message(e.what()) << '\n';
        return kExitFailure;
      }
    }
  }
  PrintDatebook(table, ctx.out);
  return failed ? kExitFailure : kExitOk;
}

// The file's records, or nothing after telling why on err.
std::optional<DatebookTable> ReadFile(CliContext& ctx, const std::string& what) {
  if (ctx.args.size() != 2) throw UsageError("datebook " + what + " needs one file name");
  try {
    return ReadDatebookFile(ctx.args[1]);
  } catch (const DatebookFileError& e) {
    ctx.err << "ERROR: " << Message(e.what()) << '\n';
    return std::nullopt;
  }
}

int ShowCommand(CliContext& ctx) {
  const auto table = ReadFile(ctx, "show");
  if (!table) return kExitFailure;
  PrintDatebook(*table, ctx.out);
  return kExitOk;
}

int WriteCommand(CliContext& ctx) {
  const auto table = ReadFile(ctx, "write");
  if (!table) return kExitFailure;
  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  link.state.datebook.DatebookRecords = *table;
  link.state.AbortRequested = false;
  const DatebookRestoreOutcome outcome =
      WriteDatebookToPhone(link.state, link.shell, link.phone, link.clock);
  const std::string summary = "wrote " + std::to_string(outcome.WritesSent - outcome.FailedWrites) +
                              " of " + std::to_string(outcome.RecordsToWrite) + " records";
  if (!outcome.HadFailures()) {
    ctx.out << summary << '\n';
    return kExitOk;
  }
  ctx.err << "quorix-cli: " << summary << "; " << outcome.FailedWrites << " of "
          << outcome.WritesSent << " writes failed";
  if (outcome.PhoneSilent) ctx.err << "; the phone stopped answering";
  ctx.err << '\n';
  return kExitFailure;
}

}  // namespace

int DatebookCommand(CliContext& ctx) {
  if (ctx.args.empty()) {
    throw UsageError("datebook needs 'read', 'show', 'write', 'export' or 'import'");
  }
  if (ctx.args[0] == "read") return ReadCommand(ctx);
  if (ctx.args[0] == "show") return ShowCommand(ctx);
  if (ctx.args[0] == "write") return WriteCommand(ctx);
  if (ctx.args[0] == "export") return DatebookExportCommand(ctx);
  if (ctx.args[0] == "import") return DatebookImportCommand(ctx);
  throw UsageError("datebook: unknown subcommand '" + ctx.args[0] + "'");
}

}  // namespace quorix::cli
