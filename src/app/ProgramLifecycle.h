#pragma once

#include <functional>
#include <string>

#include "app/Settings.h"
#include "base/Shell.h"

namespace quorix {

struct AppState;

// A port given for one run (quorix --port PORT): it is used instead of the stored one, and the
// stored one is what goes back into the settings file, unless the user chose another port
// meanwhile.
class PortOverride {
 public:
  explicit PortOverride(std::string port = {}) : port_(std::move(port)) {}
  // After every reading of the settings.
  void Apply(SettingsPage& settings);
  // The settings as they are to be written.
  SettingsPage ToStore(const SettingsPage& settings) const;

 private:
  std::string port_;
  std::string stored_;
};

// The settings file into the state: the settings page, the column widths, the type names, and the
// port override.
void ReadProgramSettings(AppState& app, const std::string& settingsPath, PortOverride& port);

// What the start-up sequence asks of the window and the link, in its order.
struct StartupSteps {
  std::function<void(const WindowLayout&)> ApplyLayout;  // the stored layout, placed by the window
  std::function<void()> ShowSettings;                    // the settings were read
  std::function<void()> ConnectPhone;
  std::function<void()> FindSerialPorts;
};

// FormShow: the layout, the settings, the start-up index range 1..1000, the automatic connect
// (or the status "Status: Disconnected"), the automatic port search. A setting that does not
// convert stops the sequence there with its ConversionError.
void RunStartup(AppState& app, Shell& shell, const std::string& settingsPath, PortOverride& port,
                const StartupSteps& steps);

// FormCloseQuery's question, asked when changes are pending (else No): Yes uploads them, No drops
// them, Cancel keeps the window open with them.
Answer AskUploadBeforeClosing(const AppState& app, Shell& shell);

// The closing write: the window's layout, then the settings with the port override undone.
void WriteProgramSettings(const std::string& settingsPath, const WindowLayout& layout,
                          const SettingsPage& settings, const PortOverride& port);

}  // namespace quorix
