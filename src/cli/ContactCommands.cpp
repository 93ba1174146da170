#include "cli/ContactCommands.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "base/BackupFileChoice.h"
#include "cli/CliLink.h"
#include "cli/CliSettings.h"
#include "cli/FileArguments.h"
#include "cli/PhonebookReading.h"
#include "cli/PrintableText.h"
#include "codec/CodePage.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookWriter.h"
#include "phonebook/VCardFile.h"

namespace quorix::cli {

namespace {

constexpr size_t kReportedCards = 1000;

// A backup file into the state, as `phonebook show` reads it; false after telling why.
bool RestoreBackup(const CliContext& ctx, AppState& state, TerminalShell& shell,
                   const std::string& path) {
  ReadNumberTypeNames(CliSettingsPath(ctx), state.phonebook.NumberTypeNames);
  try {
    RestorePhonebookFile(state, shell, path);
  } catch (const std::runtime_error& e) {
    shell.Message("ERROR", e.what(), MessageIcon::Error);
    return false;
  }
  return true;
}

int Export(const CliContext& ctx, const PhonebookTables& tables, const std::string& path,
           bool failed) {
  try {
    const VCardExportOutcome outcome = SaveVCardFile(tables, path);
    ctx.out << "exported " << outcome.Contacts << " contacts, " << outcome.Entries << " entries\n";
  } catch (const VCardFileError& e) {
    Tell(ctx, std::string("quorix-cli: ") + e.what());
    return kExitFailure;
  }
  return failed ? kExitFailure : kExitOk;
}

}  // namespace

int PhonebookExportCommand(CliContext& ctx) {
  const FileArguments a = ParseFileArguments(ctx, "phonebook export");
  if (a.save) throw UsageError("phonebook export: --save goes with phonebook read");
  if (a.from) {
    if (a.rest.size() > 1) throw UsageError("phonebook export: --from reads no phone options");
    AppState state;
    state.settings = CliSettings(ctx);
    TerminalShell shell(ctx.err);
    if (!RestoreBackup(ctx, state, shell, *a.from)) return kExitFailure;
    return Export(ctx, state.phonebook, a.file, false);
  }
  const ReadOptions options = ParseReadOptions(a.rest, 1);
  if (options.savePath) throw UsageError("phonebook export: --save goes with phonebook read");
  CliLink link(ctx);
  const PhonebookReading reading = ReadPhonebookForCli(ctx, link, options);
  if (reading == PhonebookReading::NotStarted) return kExitFailure;
  return Export(ctx, link.state.phonebook, a.file, reading == PhonebookReading::Failed);
}

int PhonebookImportCommand(CliContext& ctx) {
  const FileArguments a = ParseFileArguments(ctx, "phonebook import");
  bool advanced = false;
  for (size_t i = 1; i < a.rest.size(); ++i) {
    if (a.rest[i] != "--advanced")
      throw UsageError("phonebook import: unexpected '" + a.rest[i] + "'");
    advanced = true;
  }
  if (a.from && !a.save) throw UsageError("phonebook import: --from goes with --save FILE");

  CliLink link(ctx);
  AppState& state = link.state;
  if (advanced) state.settings.AdvancedPhoneBook = true;
  if (a.from && !RestoreBackup(ctx, state, link.shell, *a.from)) return kExitFailure;
  ReadOptions reading;
  reading.phone = true;
  reading.advanced = advanced;
  if (!a.save) {
    // The free rows are those the phone's own memory has free.
    if (ReadPhonebookForCli(ctx, link, reading) != PhonebookReading::Complete) {
      ctx.err << "quorix-cli: nothing imported: the phonebook could not be read whole\n";
      return kExitFailure;
    }
  }
  ContactImportOutcome outcome;
  try {
    outcome = ImportVCardFile(state, a.file);
  } catch (const VCardFileError& e) {
    Tell(ctx, std::string("ERROR: ") + e.what());
    return kExitFailure;
  }
  Tell(ctx, VCardImportMessage(outcome, kReportedCards));
  if (a.save) {
    try {
      if (SavePhonebookFile(state, link.clock, *a.save)) TellUtf8Backup(link.shell, *a.save);
    } catch (const PhonebookFileError& e) {
      Tell(ctx, std::string("quorix-cli: ") + e.what());
      return kExitFailure;
    }
    return kExitOk;
  }
  if (outcome.Entries == 0) return kExitOk;
  state.AbortRequested = false;
  state.UploadHadErrors = false;
  const PhonebookWriteOutcome written = WritePhonebook(state, link.shell, link.phone, link.clock);
  link.shell.ProgressClose();
  ctx.err << "quorix-cli: wrote " << written.Written << ", failed " << written.Failed << '\n';
  return written.HadErrors() ? kExitFailure : kExitOk;
}

}  // namespace quorix::cli
