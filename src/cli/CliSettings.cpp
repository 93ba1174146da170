#include "cli/CliSettings.h"

#include "app/ProgramPaths.h"
#include "app/Settings.h"
#include "codec/CodePage.h"

namespace quorix::cli {

SettingsPage CliSettings(const CliContext& ctx) {
  return CliSettings(ctx, SettingsFilePath());
}

SettingsPage CliSettings(const CliContext& ctx, const std::string& settingsPath) {
  SettingsPage page;
  ReadSystemSettings(settingsPath, page);
  if (!ctx.port.empty()) {
    page.ComPort = Utf8ToCp1251(ctx.port);
    page.Bluetooth = false;
  }
  if (!ctx.bluetoothPort.empty()) {
    page.BCom = Utf8ToCp1251(ctx.bluetoothPort);
    page.Bluetooth = true;
  }
  if (!ctx.bluetoothWaitMs.empty()) page.BTimeout = Utf8ToCp1251(ctx.bluetoothWaitMs);
  return page;
}

}  // namespace quorix::cli
