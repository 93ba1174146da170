#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "app/AppState.h"
#include "app/MessageNames.h"
#include "cli/CliCommand.h"
#include "cli/CliLink.h"
#include "cli/CliSettings.h"
#include "cli/TerminalShell.h"
#include "phonebook/PhonebookFile.h"
#include "sms/SmsAndroidXml.h"
#include "sms/SmsBackupFile.h"
#include "sms/SmsConversations.h"
#include "sms/SmsFileWrite.h"
#include "sms/SmsReading.h"
#include "sms/SmsTextExport.h"

namespace quorix::cli {

namespace {

using NameOf = std::function<std::string(const std::string&)>;

// The words after the subcommand: --name VALUE options and the plain words.
struct SmsWords {
  std::vector<std::string> plain;
  std::optional<std::string> save, from, format, phonebook;
  bool savePartial = false;
};

SmsWords ParseWords(const CliContext& ctx, const std::string& command) {
  SmsWords words;
  for (size_t i = 1; i < ctx.args.size(); ++i) {
    const std::string& word = ctx.args[i];
    std::optional<std::string>* option = word == "--save"        ? &words.save
                                         : word == "--from"      ? &words.from
                                         : word == "--format"    ? &words.format
                                         : word == "--phonebook" ? &words.phonebook
                                                                 : nullptr;
    if (option) {
      if (i + 1 >= ctx.args.size()) throw UsageError(word + " needs a value");
      *option = ctx.args[++i];
    } else if (word == "--save-partial") {
      words.savePartial = true;
    } else if (word.starts_with("-")) {
      throw UsageError("sms " + command + ": unknown option '" + word + "'");
    } else {
      words.plain.push_back(word);
    }
  }
  return words;
}

// Names from a phonebook backup when one is given, else none: the command line reads no
// phonebook of its own for them.
std::optional<NameOf> Names(const CliContext& ctx, const SmsWords& words) {
  if (!words.phonebook) return NameOf([](const std::string&) { return std::string(); });
  AppState state;
  state.settings = CliSettings(ctx);
  TerminalShell shell(ctx.err);
  try {
    RestorePhonebookFile(state, shell, *words.phonebook);
  } catch (const std::runtime_error& e) {
    ctx.err << "quorix-cli: " << e.what() << '\n';
    return std::nullopt;
  }
  return PhonebookNameOf(state.phonebook);
}

std::optional<sms::SmsBackupRead> ReadBackup(const CliContext& ctx, const std::string& path) {
  try {
    sms::SmsBackupRead read = sms::ReadMessageBackup(path);
    for (const sms::SmsBackupProblem& problem : read.problems)
      ctx.err << "quorix-cli: " << path << ": line " << problem.line << ": " << problem.why << '\n';
    return read;
  } catch (const sms::SmsFileError& e) {
    ctx.err << "quorix-cli: " << e.what() << '\n';
    return std::nullopt;
  }
}

int ReadCommand(CliContext& ctx) {
  const SmsWords words = ParseWords(ctx, "read");
  if (!words.plain.empty()) throw UsageError("sms read takes no file name; use --save FILE");
  if (words.from || words.format) throw UsageError("sms read: --from and --format go with export");
  if (words.savePartial && !words.save) throw UsageError("--save-partial needs --save FILE");
  const auto names = Names(ctx, words);
  if (!names) return kExitFailure;
  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  sms::SmsState& state = link.state.sms;
  link.state.AbortRequested = false;
  const sms::SmsReadOutcome outcome =
      sms::ReadMessages(state, link.shell, link.phone, link.clock, link.state.AbortRequested);
  const bool failed = outcome.HadFailures();
  ctx.err << "quorix-cli: " << sms::SmsReadingSummary(outcome, state.Messages) << '\n';
  if (words.save) {
    std::error_code error;
    if (failed && !words.savePartial && std::filesystem::exists(*words.save, error)) {
      ctx.err << "quorix-cli: " << *words.save
              << " left as it was: the reading had failures (--save-partial replaces it)\n";
    } else {
      try {
        sms::WriteSmsBackup(*words.save, state.Messages, state.ReadAt);
      } catch (const sms::SmsFileError& e) {
        ctx.err << "quorix-cli: " << e.what() << '\n';
        return kExitFailure;
      }
    }
  }
  ctx.out << sms::SmsTextExport(sms::Conversations(state.Messages, *names)) << std::flush;
  return failed ? kExitFailure : kExitOk;
}

int ShowCommand(CliContext& ctx) {
  const SmsWords words = ParseWords(ctx, "show");
  if (words.plain.size() != 1) throw UsageError("sms show needs one file name");
  const auto names = Names(ctx, words);
  if (!names) return kExitFailure;
  const auto read = ReadBackup(ctx, words.plain[0]);
  if (!read) return kExitFailure;
  ctx.out << sms::SmsTextExport(sms::Conversations(read->messages, *names)) << std::flush;
  return read->problems.empty() ? kExitOk : kExitFailure;
}

int ExportCommand(CliContext& ctx) {
  const SmsWords words = ParseWords(ctx, "export");
  if (words.plain.size() != 1) throw UsageError("sms export needs one file name");
  if (!words.format || (*words.format != "android-xml" && *words.format != "text"))
    throw UsageError("sms export needs --format android-xml or --format text");
  const auto names = Names(ctx, words);
  if (!names) return kExitFailure;
  std::vector<sms::SmsMessage> messages;
  int64_t readAt = 0;
  bool failed = false;
  if (words.from) {
    auto read = ReadBackup(ctx, *words.from);
    if (!read) return kExitFailure;
    messages = std::move(read->messages);
    failed = !read->problems.empty();
    RealClock clock;
    readAt = read->readingTime.value_or(clock.WallSeconds());
  } else {
    CliLink link(ctx);
    if (!link.Connect(ctx.err)) return kExitFailure;
    link.state.AbortRequested = false;
    const sms::SmsReadOutcome outcome = sms::ReadMessages(link.state.sms, link.shell, link.phone,
                                                          link.clock, link.state.AbortRequested);
    failed = outcome.HadFailures();
    if (failed)
      ctx.err << "quorix-cli: " << sms::SmsReadingSummary(outcome, link.state.sms.Messages) << '\n';
    messages = std::move(link.state.sms.Messages);
    readAt = link.state.sms.ReadAt;
  }
  const std::string& path = words.plain[0];
  try {
    if (*words.format == "text") {
      sms::SaveSmsTextExport(path, sms::Conversations(messages, *names));
    } else {
      const sms::SmsAndroidXml xml = sms::SaveAndroidXml(path, messages, *names, readAt);
      if (xml.undecoded > 0)
        ctx.err << "quorix-cli: " << xml.undecoded
                << " messages could not be decoded: exported with a placeholder body\n";
      if (xml.replaced > 0)
        ctx.err << "quorix-cli: " << xml.replaced
                << " characters XML cannot hold were written as U+FFFD (the backup keeps them)\n";
    }
  } catch (const sms::SmsFileError& e) {
    ctx.err << "quorix-cli: " << e.what() << '\n';
    return kExitFailure;
  }
  ctx.err << "quorix-cli: " << messages.size() << " messages written to " << path << '\n';
  return failed ? kExitFailure : kExitOk;
}

}  // namespace

int SmsCommand(CliContext& ctx) {
  if (ctx.args.empty()) throw UsageError("sms needs 'read', 'show' or 'export'");
  if (ctx.args[0] == "read") return ReadCommand(ctx);
  if (ctx.args[0] == "show") return ShowCommand(ctx);
  if (ctx.args[0] == "export") return ExportCommand(ctx);
  throw UsageError("sms: unknown subcommand '" + ctx.args[0] + "'");
}

}  // namespace quorix::cli
