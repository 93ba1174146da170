#include "base/Translate.h"
#include "cli/CliCommand.h"
#include "cli/CliLink.h"
#include "cli/CliP2K.h"
#include "cli/Confirmation.h"
#include "cli/P2KFiles.h"
#include "codec/CodePage.h"
#include "link/p2k/PhoneFileServices.h"

namespace quorix::cli {

namespace {

int FilesCommand(CliContext& ctx) {
  if (ctx.args.size() != 1) throw UsageError("p2k files: unexpected '" + ctx.args[1] + "'");
  CliLink link(ctx);
  CliP2K p2k(link);
  return ListP2KFiles(p2k.p2k, link.phone, link.shell, link.clock, ctx.out, ctx.err);
}

// The window's delete command: the phone is found on its serial port first, so that the port it
// comes back on after the restart is known.
int DeleteToneDatabaseCommand(CliContext& ctx) {
  bool yes = false;
  for (size_t i = 1; i < ctx.args.size(); ++i) {
    if (ctx.args[i] != "--yes")
      throw UsageError("p2k delete-tonedb: unexpected '" + ctx.args[i] + "'");
    yes = true;
  }
  if (!Confirmed(ctx, yes, "p2k delete-tonedb",
                 Tr("Вы действительно хотите удалить файл MyToneDB.db?"))) {
    ctx.err << "quorix-cli: nothing deleted\n";
    return kExitFailure;
  }
  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  CliP2K p2k(link);
  link.shell.AnswerYes();
  const ToneDatabaseOutcome outcome =
      ToolButton15Click(p2k.p2k, link.phone, link.state.link, link.shell);
  const bool back = link.state.link.PhoneConnected;
  if (outcome == ToneDatabaseOutcome::Deleted)
    ctx.err << "quorix-cli: MyToneDB.db deleted, the phone restarted\n";
  return outcome == ToneDatabaseOutcome::Deleted && back ? kExitOk : kExitFailure;
}

}  // namespace

int P2KCommand(CliContext& ctx) {
  if (ctx.args.empty()) throw UsageError("p2k needs 'files' or 'delete-tonedb'");
  if (ctx.args[0] == "files") return FilesCommand(ctx);
  if (ctx.args[0] == "delete-tonedb") return DeleteToneDatabaseCommand(ctx);
  if (const int status = P2KFileCommand(ctx); status >= 0) return status;
  throw UsageError("p2k: unknown subcommand '" + ctx.args[0] + "'");
}

}  // namespace quorix::cli
