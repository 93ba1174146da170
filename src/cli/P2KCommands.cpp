#include "cli/CliCommand.h"
#include "cli/CliLink.h"
#include "cli/P2KFiles.h"
#include "link/p2k/P2KUsb.h"

namespace quorix::cli {

int P2KCommand(CliContext& ctx) {
  if (ctx.args.size() != 1 || ctx.args[0] != "files") throw UsageError("p2k knows only: p2k files");
  CliLink link(ctx);
  const auto backend =
      MakeP2KUsbBackend(link.clock, SerialPortMapSource::DefaultPublishedPortsDir());
  TP2KAPI p2k(link.shell, link.clock, *backend);
  link.shell.SetEventHook([&] {
    link.phone.Com().PollTick();
    p2k.DeliverStateMessages();
  });
  const int status = ListP2KFiles(p2k, link.phone, link.shell, link.clock, ctx.out, ctx.err);
  link.shell.SetEventHook(nullptr);
  return status;
}

}  // namespace quorix::cli
