#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliLink.h"
#include "cli/PrintableText.h"
#include "codec/CodePage.h"

namespace quorix::cli {

int PortsCommand(CliContext& ctx) {
  if (!ctx.args.empty()) throw UsageError("ports takes no arguments");
  CliLink link(ctx);
  link.phone.FindSerialPorts();
  const SettingsPage& settings = link.state.settings;
  for (const std::string& port : settings.PortItems) {
    ctx.out << port << (port == settings.ComPort ? " *" : "") << '\n';
  }
  return kExitOk;
}

int IdentifyCommand(CliContext& ctx) {
  if (!ctx.args.empty()) throw UsageError("identify takes no arguments");
  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  ctx.out << "Motorola " << Printable(link.state.link.PhoneModel) << '\n';
  return kExitOk;
}

int AtCommand(CliContext& ctx) {
  if (ctx.args.empty()) throw UsageError("at needs at least one command");
  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  for (const std::string& command : ctx.args) {
    // Like the console page: the event loop runs between two typed commands.
    link.shell.ProcessEvents();
    std::string reply;
    link.phone.SendATCommand(command, reply);
    ctx.out << Printable(AsUtf8(reply)) << '\n' << std::flush;
  }
  return kExitOk;
}

}  // namespace quorix::cli
