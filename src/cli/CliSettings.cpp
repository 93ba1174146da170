#include "cli/CliSettings.h"

#include "app/ProgramPaths.h"
#include "app/Settings.h"
#include "base/Conversion.h"
#include "codec/CodePage.h"

namespace quorix::cli {

std::string CliSettingsPath(const CliContext& ctx) {
  if (!ctx.settingsPath.empty()) return ctx.settingsPath;
  return SettingsFileToRead(LocateSettings(ThisProgramsPlaces()));
}

SettingsPage CliSettings(const CliContext& ctx) {
  return CliSettings(ctx, CliSettingsPath(ctx));
}

SettingsPage CliSettings(const CliContext& ctx, const std::string& settingsPath) {
  SettingsPage page;
  ReadSystemSettings(settingsPath, page);
  if (!ctx.port.empty()) {
    page.ComPort = ctx.port;
    page.Bluetooth = false;
  }
  if (!ctx.bluetoothPort.empty()) {
    page.BCom = ctx.bluetoothPort;
    page.Bluetooth = true;
  }
  if (!ctx.bluetoothWaitMs.empty()) {
    page.BTimeout = ctx.bluetoothWaitMs;
    try {
      StrToInt(page.BTimeout);
    } catch (const ConversionError& e) {
      throw UsageError(std::string("--bt-wait: ") + e.what());
    }
  }
  return page;
}

}  // namespace quorix::cli
