#include <ostream>

#include "app/AppState.h"
#include "app/Clock.h"
#include "app/Conversion.h"
#include "cli/CliCommand.h"
#include "cli/TerminalShell.h"
#include "codec/CodePage.h"
#include "link/PhoneConnection.h"

namespace quorix::cli {

namespace {

// The program's link, headless: the settings page filled from the global options, and the
// serial polling tick run whenever the command lets events run, as a window's timer would be.
struct CliLink {
  explicit CliLink(CliContext& ctx) : shell(ctx.err), phone(state, shell, clock) {
    SettingsPage& settings = state.settings;
    if (!ctx.port.empty()) settings.ComPort = Utf8ToCp1251(ctx.port);
    if (!ctx.bluetoothPort.empty()) {
      settings.Bluetooth = true;
      settings.BCom = Utf8ToCp1251(ctx.bluetoothPort);
      settings.BTimeout = ctx.bluetoothWaitMs.empty() ? "0" : Utf8ToCp1251(ctx.bluetoothWaitMs);
      try {
        StrToInt(settings.BTimeout);
      } catch (const ConversionError& e) {
        throw UsageError(std::string("--bt-wait: ") + e.what());
      }
    }
    shell.SetEventHook([this] { phone.Com().PollTick(); });
  }

  // Connects; on failure tells why on err and returns false.
  bool Connect(std::ostream& err) {
    phone.ConnectPhone();
    if (state.link.PhoneConnected) return true;
    if (!shell.Status(1).empty()) err << Cp1251ToUtf8(shell.Status(1)) << '\n';
    return false;
  }

  AppState state;
  RealClock clock;
  TerminalShell shell;
  PhoneConnection phone;
};

}  // namespace

int PortsCommand(CliContext& ctx) {
  if (!ctx.args.empty()) throw UsageError("ports takes no arguments");
  CliLink link(ctx);
  link.phone.FindSerialPorts();
  const SettingsPage& settings = link.state.settings;
  for (const std::string& port : settings.PortItems) {
    ctx.out << Cp1251ToUtf8(port) << (port == settings.ComPort ? " *" : "") << '\n';
  }
  return kExitOk;
}

int IdentifyCommand(CliContext& ctx) {
  if (!ctx.args.empty()) throw UsageError("identify takes no arguments");
  CliLink link(ctx);
  if (!link.Connect(ctx.err)) return kExitFailure;
  ctx.out << "Motorola " << Cp1251ToUtf8(link.state.link.PhoneModel) << '\n';
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
    link.phone.SendATCommand(Utf8ToCp1251(command), reply);
    ctx.out << Cp1251ToUtf8(reply) << '\n' << std::flush;
  }
  return kExitOk;
}

}  // namespace quorix::cli
