#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "base/BackupFileChoice.h"
#include "base/Conversion.h"
#include "cli/CliCommand.h"
#include "cli/CliLink.h"
#include "cli/CliP2K.h"
#include "cli/CliSettings.h"
#include "cli/ContactCommands.h"
#include "cli/PhonebookReading.h"
#include "cli/PhonebookTablePrinter.h"
#include "cli/PhonebookWriteCommands.h"
#include "cli/PrintableText.h"
#include "codec/CodePage.h"
#include "link/AtExchange.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookReader.h"

namespace quorix::cli {

namespace {

std::string NumberOption(const std::vector<std::string>& words, size_t& i, int least, int most) {
  const std::string& option = words[i];
  if (i + 1 >= words.size()) throw UsageError(option + " needs a value");
  const std::string& value = words[++i];
  const auto number = NumberIn(value);
  if (!number || *number < least || *number > most || std::to_string(*number) != value) {
    throw UsageError(option + " needs a whole number from " + std::to_string(least) + " to " +
                     std::to_string(most) + ", not '" + value + "'");
  }
  return value;
}

}  // namespace

ReadOptions ParseReadOptions(const std::vector<std::string>& words, size_t first) {
  ReadOptions options;
  for (size_t i = first; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--phone") {
      options.phone = true;
    } else if (word == "--sim") {
      options.sim = true;
    } else if (word == "--advanced") {
      options.advanced = true;
    } else if (word == "--range") {
      options.range = NumberOption(words, i, 1, kEntryRows);
    } else if (word == "--sim-capacity") {
      options.simCapacity = NumberOption(words, i, 0, kEntryRows - 500);
    } else if (word == "--save") {
      if (i + 1 >= words.size()) throw UsageError("--save needs a file name");
      options.savePath = words[++i];
    } else if (word == "--save-partial") {
      options.savePartial = true;
    } else if (word == "--p2k") {
      options.p2k = true;
    } else {
      throw UsageError("phonebook " + words[0] + ": unknown option '" + word + "'");
    }
  }
  if (options.savePartial && !options.savePath) {
    throw UsageError("--save-partial needs --save FILE");
  }
  return options;
}

namespace {

void ApplyReadOptions(const ReadOptions& options, SettingsPage& settings) {
  // Either box asked for by name replaces both boxes of the settings file.
  if (options.phone || options.sim) {
    settings.FromPHONE = options.phone;
    settings.FromSIM = options.sim;
  }
  if (options.advanced) settings.AdvancedPhoneBook = true;
  if (options.range) settings.Range = *options.range;
  if (options.simCapacity) settings.SIM = *options.simCapacity;
  settings.P2K = options.p2k;
  // Deleting MyToneDB.db is a command of its own here (p2k delete-tonedb), not a side effect.
  settings.RmMyToneDB = false;
}

// "read 0 of 30 records; 3 of 3 requests failed", and why the reading stopped early.
std::string Summary(const PhonebookReadOutcome& outcome) {
  std::string text = "read " + std::to_string(outcome.RecordsRead) + " of " +
                     std::to_string(outcome.RecordsReported) + " records; " +
                     std::to_string(outcome.Exchanges.Failed) + " of " +
                     std::to_string(outcome.Exchanges.Requests) + " requests failed";
  if (outcome.PhoneSilent) text += "; the phone stopped answering";
  return text;
}

// The list's type cells name the number types as the installation's settings file does.
void LoadNumberTypeNames(const CliContext& ctx, AppState& state) {
  ReadNumberTypeNames(CliSettingsPath(ctx), state.phonebook.NumberTypeNames);
}

}  // namespace

PhonebookReading ReadPhonebookForCli(CliContext& ctx, CliLink& link, const ReadOptions& options) {
  AppState& state = link.state;
  LoadNumberTypeNames(ctx, state);
  ApplyReadOptions(options, state.settings);
  const auto blockSize = NumberIn(state.settings.Range);
  if (!blockSize || *blockSize < 1 || *blockSize > kEntryRows) {
    ctx.err << "quorix-cli: the block size '" << Printable(state.settings.Range)
            << "' of the settings file is not a number from 1 to 1250; give --range N\n";
    return PhonebookReading::NotStarted;
  }
  if (!link.Connect(ctx.err)) return PhonebookReading::NotStarted;

  state.AbortRequested = false;
  PhonebookReadOutcome outcome;
  bool badValue = false;  // said already, in a line of its own
  try {
    if (options.p2k) {
      CliP2K p2k(link);
      const PhoneFileLinks files = p2k.Links();
      outcome = ReadPhonebook(state, link.shell, link.phone, &files);
    } else {
      outcome = ReadPhonebook(state, link.shell, link.phone);
    }
  } catch (const ConversionError& e) {
    link.shell.ProgressClose();
    ctx.err << "quorix-cli: the reading stopped: " << Printable(e.what()) << '\n';
    outcome = state.phonebook.LastReading;
    outcome.RecordsRead = state.phonebook.ReadCount;
    badValue = true;
  }
  const bool failed = outcome.HadFailures();
  if (failed && !badValue && outcome.Exchanges.Requests > 0)
    ctx.err << "quorix-cli: " << Summary(outcome) << '\n';
  if (outcome.PhoneFilesIncomplete)
    ctx.err << "quorix-cli: the phone's file list did not all come\n";
  if (outcome.PhoneNotBack)
    ctx.err << "quorix-cli: the phone did not come back on its serial port\n";
  if (failed) return PhonebookReading::Failed;
  return outcome.PhoneFilesIncomplete || outcome.PhoneNotBack ? PhonebookReading::FilesFailed
                                                              : PhonebookReading::Complete;
}

namespace {

int ReadCommand(CliContext& ctx) {
  const ReadOptions options = ParseReadOptions(ctx.args, 1);
  CliLink link(ctx);
  AppState& state = link.state;
  const PhonebookReading reading = ReadPhonebookForCli(ctx, link, options);
  if (reading == PhonebookReading::NotStarted) return kExitFailure;
  const bool failed = reading == PhonebookReading::Failed;
  if (options.savePath) {
    std::error_code error;
    if (failed && !options.savePartial && std::filesystem::exists(*options.savePath, error)) {
      ctx.err << "quorix-cli: " << Printable(*options.savePath)
              << " left as it was: the reading had failures (--save-partial replaces it)\n";
    } else {
      try {
        if (SavePhonebookFile(state, link.clock, *options.savePath))
          TellUtf8Backup(link.shell, *options.savePath);
      } catch (const PhonebookFileError& e) {
        ctx.err << "quorix-cli: " << Printable(e.what()) << '\n';
        return kExitFailure;
      }
    }
  }
  PrintPhonebookTables(state.phonebook, ctx.out);
  return reading == PhonebookReading::Complete ? kExitOk : kExitFailure;
}

int ShowCommand(CliContext& ctx) {
  if (ctx.args.size() != 2) throw UsageError("phonebook show needs one file name");
  AppState state;
  state.settings = CliSettings(ctx);
  LoadNumberTypeNames(ctx, state);
  TerminalShell shell(ctx.err);
  try {
    RestorePhonebookFile(state, shell, ctx.args[1]);
  } catch (const std::runtime_error& e) {
    // PhonebookFileError or a malformed number: reported as the window's restore does.
    shell.Message("ERROR", e.what(), MessageIcon::Error);
    return kExitFailure;
  }
  PrintPhonebookTables(state.phonebook, ctx.out);
  return kExitOk;
}

}  // namespace

int PhonebookCommand(CliContext& ctx) {
  if (ctx.args.empty()) {
    throw UsageError("phonebook needs 'read', 'show', 'write', 'clear', 'export' or 'import'");
  }
  if (ctx.args[0] == "read") return ReadCommand(ctx);
  if (ctx.args[0] == "show") return ShowCommand(ctx);
  if (ctx.args[0] == "write") return PhonebookWriteCommand(ctx);
  if (ctx.args[0] == "clear") return PhonebookClearCommand(ctx);
  if (ctx.args[0] == "export") return PhonebookExportCommand(ctx);
  if (ctx.args[0] == "import") return PhonebookImportCommand(ctx);
  throw UsageError("phonebook: unknown subcommand '" + ctx.args[0] + "'");
}

}  // namespace quorix::cli
