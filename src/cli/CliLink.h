#pragma once

#include <iosfwd>

#include "app/AppState.h"
#include "base/Clock.h"
#include "cli/CliCommand.h"
#include "cli/TerminalShell.h"
#include "link/PhoneConnection.h"

namespace quorix::cli {

// The program's link, headless: the settings page from the settings file and the global options,
// and the serial polling tick run whenever the command lets events run, as a window's timer would.
struct CliLink {
  explicit CliLink(const CliContext& ctx);

  // Connects; on failure tells why on err and returns false.
  bool Connect(std::ostream& err);

  AppState state;
  RealClock clock;
  TerminalShell shell;
  PhoneConnection phone;
};

}  // namespace quorix::cli
