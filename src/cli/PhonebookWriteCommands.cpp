#include "cli/PhonebookWriteCommands.h"

#include <ostream>
#include <string>

#include "app/Settings.h"
#include "base/Translate.h"
#include "cli/CliLink.h"
#include "cli/CliSettings.h"
#include "cli/Confirmation.h"
#include "cli/PrintableText.h"
#include "codec/CodePage.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookWriter.h"

namespace quorix::cli {

namespace {

// "wrote 12, deleted 3, failed 0", and why the operation stopped early.
std::string Summary(const PhonebookWriteOutcome& outcome) {
  std::string text = "wrote " + std::to_string(outcome.Written) + ", deleted " +
                     std::to_string(outcome.Deleted) + ", failed " +
                     std::to_string(outcome.Failed) + "; " +
                     std::to_string(outcome.Exchanges.Failed) + " of " +
                     std::to_string(outcome.Exchanges.Requests) + " requests failed";
  if (outcome.PhoneSilent) text += "; the phone stopped answering";
  return text;
}

int Finish(const CliContext& ctx, const PhonebookWriteOutcome& outcome) {
  ctx.err << "quorix-cli: " << Summary(outcome) << '\n';
  return outcome.HadErrors() ? kExitFailure : kExitOk;
}

}  // namespace

int PhonebookWriteCommand(CliContext& ctx) {
  std::string path;
  bool clear = false;
  bool advanced = false;
  for (size_t i = 1; i < ctx.args.size(); ++i) {
    const std::string& word = ctx.args[i];
    if (word == "--clear") {
      clear = true;
    } else if (word == "--advanced") {
      advanced = true;
    } else if (path.empty() && word.rfind("--", 0) != 0) {
      path = word;
    } else {
      throw UsageError("phonebook write: unexpected '" + word + "'");
    }
  }
  if (path.empty()) throw UsageError("phonebook write needs a backup file");

  CliLink link(ctx);
  AppState& state = link.state;
  ReadNumberTypeNames(CliSettingsPath(ctx), state.phonebook.NumberTypeNames);
  try {
    RestorePhonebookFile(state, link.shell, path);
  } catch (const std::runtime_error& e) {
    link.shell.Message("ERROR", e.what(), MessageIcon::Error);
    return kExitFailure;
  }
  if (clear) state.settings.ClearPB = true;
  if (advanced) state.settings.AdvancedPhoneBook = true;
  if (!link.Connect(ctx.err)) return kExitFailure;
  state.AbortRequested = false;
  state.UploadHadErrors = false;
  const PhonebookWriteOutcome outcome = WritePhonebook(state, link.shell, link.phone, link.clock);
  link.shell.ProgressClose();
  return Finish(ctx, outcome);
}

int PhonebookClearCommand(CliContext& ctx) {
  bool yes = false;
  for (size_t i = 1; i < ctx.args.size(); ++i) {
    if (ctx.args[i] != "--yes")
      throw UsageError("phonebook clear: unexpected '" + ctx.args[i] + "'");
    yes = true;
  }
  if (!Confirmed(ctx, yes, "phonebook clear",
                 Tr("Вы действительно хотите очистить весь справочник?"))) {
    ctx.err << "quorix-cli: nothing cleared\n";
    return kExitFailure;
  }
  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  PhonebookWriteOutcome outcome;
  ClearPhoneMemory(link.state, link.shell, link.phone, link.clock, outcome);
  link.shell.ProgressClose();
  return Finish(ctx, outcome);
}

}  // namespace quorix::cli
