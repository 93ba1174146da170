#include "app/ProgramLifecycle.h"

#include "app/AppState.h"
#include "base/Shell.h"
#include "base/Translate.h"
#include "codec/CodePage.h"

namespace quorix {

void PortOverride::Apply(SettingsPage& settings) {
  if (port_.empty()) return;
  stored_ = settings.ComPort;
  settings.ComPort = port_;
}

SettingsPage PortOverride::ToStore(const SettingsPage& settings) const {
  SettingsPage stored = settings;
  if (!port_.empty() && stored.ComPort == port_) stored.ComPort = stored_;
  return stored;
}

void ReadProgramSettings(AppState& app, const std::string& settingsPath, PortOverride& port) {
  ReadSettings(settingsPath, app.settings, app.phonebook.NumberTypeNames);
  port.Apply(app.settings);
}

void RunStartup(AppState& app, Shell& shell, const std::string& settingsPath, PortOverride& port,
                const StartupSteps& steps) {
  app.AbortRequested = false;
  WindowLayout layout;
  ReadWindowLayout(settingsPath, layout);
  steps.ApplyLayout(layout);
  ReadProgramSettings(app, settingsPath, port);
  steps.ShowSettings();
  app.phonebook.FirstIndex = 1;
  app.phonebook.LastIndex = 1000;
  if (app.settings.AutoConnect) {
    steps.ConnectPhone();
  } else {
    shell.SetStatus(0, "Status: Disconnected");
  }
  if (app.settings.AutoFind) steps.FindSerialPorts();
}

Answer AskUploadBeforeClosing(const AppState& app, Shell& shell) {
  if (!app.DataModified) return Answer::No;
  return shell.AskYesNoCancel(Tr("Внимание!"),
                              Tr("Вы хотите загрузить все измененные данные в телефон?"));
}

void WriteProgramSettings(const std::string& settingsPath, const WindowLayout& layout,
                          const SettingsPage& settings, const PortOverride& port) {
  WriteWindowLayout(settingsPath, layout);
  WriteSettings(settingsPath, port.ToStore(settings));
}

}  // namespace quorix
