#include "app/ProgramLifecycle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "base/Conversion.h"
#include "base/ProfileFile.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

TEST(ProgramLifecycleTest, StartupRunsItsStepsInOrderAndAPortGivenForTheRunIsNotStored) {
  test::TempDir dir;
  const std::string ini = dir.File("velkor.ini");
  std::filesystem::copy_file(std::filesystem::path(QUORIX_RESOURCES_DIR) / "velkor.ini", ini);
  WriteWindowLayout(ini, {500, 700, 10, 20, false});
  WriteSetting(ini, "System", "ComPort", "COM9");
  WriteSetting(ini, "System", "AutoConnect", "1");
  WriteSetting(ini, "System", "AutoFind", "0");

  AppState app;
  app.phonebook.LastIndex = 7;
  test::RecordingShell shell;
  PortOverride port("/dev/pts/5");
  std::vector<std::string> steps;
  RunStartup(app, shell, ini, port,
             {[&](const WindowLayout& layout) {
                steps.push_back("layout " + std::to_string(layout.Width));
              },
              [&] { steps.push_back("settings " + app.settings.ComPort); },
              [&] { steps.push_back("connect"); }, [&] { steps.push_back("find"); }});
  EXPECT_EQ(steps, (std::vector<std::string>{"layout 700", "settings /dev/pts/5", "connect"}));
  EXPECT_EQ(app.phonebook.LastIndex, 1000);
  EXPECT_TRUE(shell.status[0].empty()) << "connecting tells its own status";

  // The port chosen for the run goes back as it was stored, one chosen meanwhile is kept.
  WriteProgramSettings(ini, {600, 800, 1, 2, false}, app.settings, port);
  EXPECT_EQ(ReadSetting(ini, "System", "ComPort"), "COM9");
  app.settings.ComPort = "COM3";
  WriteProgramSettings(ini, {600, 800, 1, 2, false}, app.settings, port);
  EXPECT_EQ(ReadSetting(ini, "System", "ComPort"), "COM3");

  // A layout that does not convert stops the start there.
  WriteSetting(ini, "Window", "Width", "wide");
  steps.clear();
  EXPECT_THROW(RunStartup(app, shell, ini, port,
                          {[&](const WindowLayout&) { steps.push_back("x"); }, {}, {}, {}}),
               ConversionError);
  EXPECT_TRUE(steps.empty());

  EXPECT_EQ(AskUploadBeforeClosing(app, shell), Answer::No);
  EXPECT_TRUE(shell.calls.empty() || shell.calls.back().rfind("AskYesNo", 0) != 0);
  app.DataModified = true;
  shell.cancelAnswers = {Answer::Yes, Answer::No};
  EXPECT_EQ(AskUploadBeforeClosing(app, shell), Answer::Yes);
  EXPECT_EQ(AskUploadBeforeClosing(app, shell), Answer::No);
  EXPECT_EQ(AskUploadBeforeClosing(app, shell), Answer::Cancel) << "Escape or the close box";
}

}  // namespace
}  // namespace quorix
