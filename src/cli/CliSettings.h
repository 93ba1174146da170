#pragma once

#include <array>
#include <string>

#include "base/SettingsPage.h"
#include "cli/CliCommand.h"

namespace quorix::cli {

// The settings file a command reads: --settings, else the program's velkor.ini (see
// LocateSettings), or the shipped first-run file while the user has none; nothing is written.
std::string CliSettingsPath(const CliContext& ctx);

// The settings a command works with: section System of the settings file, as the main window
// would read it, with the global options on top. --port selects the cable (Bluetooth off),
// --bluetooth selects that Bluetooth port (Bluetooth on), --bt-wait sets the wait after opening
// it. UsageError for a --bt-wait that is not a number.
SettingsPage CliSettings(const CliContext& ctx);
SettingsPage CliSettings(const CliContext& ctx, const std::string& settingsPath);

}  // namespace quorix::cli
