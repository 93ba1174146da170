#pragma once

#include <string>

#include "app/SettingsPage.h"
#include "cli/CliCommand.h"

namespace quorix::cli {

// The settings a command works with: section System of velkor.ini beside the program, as the
// main window would read it, with the global options on top. --port selects the cable (Bluetooth
// off), --bluetooth selects that Bluetooth port (Bluetooth on), --bt-wait sets the wait after
// opening it.
SettingsPage CliSettings(const CliContext& ctx);
SettingsPage CliSettings(const CliContext& ctx, const std::string& settingsPath);

}  // namespace quorix::cli
