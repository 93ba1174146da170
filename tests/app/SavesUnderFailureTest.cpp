// Every file the program writes, saved where saving cannot succeed: the file there before stays
// byte for byte, no temporary file is left behind and the user reads why.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>

#include "app/AppState.h"
#include "app/ProgramLifecycle.h"
#include "app/Settings.h"
#include "datebook/DatebookCommands.h"
#include "datebook/ICalendarFile.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/VCardFile.h"
#include "support/Hex.h"
#include "support/RecordingShell.h"
#include "support/ScratchFileSystem.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"

namespace quorix {
namespace {

namespace fs = std::filesystem;
using test::Hex;
using test::ReadBytes;
using test::RecordingShell;
using test::WriteBytes;

struct Saver {
  const char* what;
  // Saves to path; returns what the user was told of a failure, empty when nothing.
  std::function<std::string(const std::string& path)> save;
};

std::vector<Saver> Savers(AppState& app, VirtualClock& clock) {
  app.link.PhoneConnected = true;
  EntryRow& entry = app.phonebook.PhonebookEntries[1];
  entry[EntryNumber] = "\"+79001234567\"";
  entry[EntryNumberFormat] = "145";
  entry[EntryName] = Hex("Анна");
  entry[EntryNumberType] = "3";
  entry[EntryCategory] = "1";
  app.datebook.DatebookRecords[0] = {
      Hex("Встреча"),   "1", "0", "\"10:00\"", "\"01-02-2027\"", "60", "\"09:45\"",
      "\"01-02-2027\"", "0"};
  const auto throughShell = [&app, &clock](auto command) {
    return [&app, &clock, command](const std::string& path) {
      RecordingShell shell;
      shell.saveAnswers.push_back(path);
      command(app, shell, clock);
      for (const auto& m : shell.messages) {
        if (m.caption == "ERROR") return m.text;
      }
      return std::string();
    };
  };
  return {
      {"phonebook backup",
       throughShell([](AppState& a, Shell& s, Clock& c) { ToolButton11Click(a, s, c); })},
      {"datebook backup",
       throughShell([](AppState& a, Shell& s, Clock& c) { Button7Click(a, s, c); })},
      {"vCard export", throughShell([](AppState& a, Shell& s, Clock&) { ExportVCardClick(a, s); })},
      {"iCalendar export",
       throughShell([](AppState& a, Shell& s, Clock& c) { ExportICalendarClick(a, s, c); })},
      // The window shows what closing throws.
      {"settings",
       [&app](const std::string& path) {
         try {
           WriteProgramSettings(path, WindowLayout{}, app.settings, PortOverride());
         } catch (const std::runtime_error& e) {
           return std::string(e.what());
         }
         return std::string();
       }},
  };
}

// What the folder holds besides the filler of a full file system.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) {
    if (e.path().filename() != "filler") names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

const std::string kOld = "[System]\r\nComPort=COM4\r\n; the old file, kept whole\r\n";

TEST(SavesUnderFailureTest, AReadOnlyOrFullFileSystemKeepsTheOldFileAndSaysWhy) {
  AppState app;
  VirtualClock clock;
  const std::vector<Saver> savers = Savers(app, clock);
  for (const bool full : {false, true}) {
    for (const Saver& saver : savers) {
      SCOPED_TRACE(std::string(saver.what) + (full ? ", full" : ", read-only"));
      test::ScratchFileSystem scratch(64 * 1024);
      if (!scratch.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here: " << scratch.Error();
      const std::string path = scratch.File("копия 日本.csv");
      WriteBytes(path, kOld);
      if (full) {
        scratch.Fill();
      } else {
        ASSERT_TRUE(scratch.MakeReadOnly());
      }
      const std::string told = saver.save(path);
      EXPECT_NE(told.find(path), std::string::npos) << told;
      EXPECT_EQ(ReadBytes(path), kOld);
      EXPECT_EQ(Names(scratch.path()), std::vector<std::string>{"копия 日本.csv"});
    }
  }
}

TEST(SavesUnderFailureTest, ADirectoryInTheFilesPlaceStaysAsItWas) {
  AppState app;
  VirtualClock clock;
  for (const Saver& saver : Savers(app, clock)) {
    SCOPED_TRACE(saver.what);
    test::TempDir dir;
    const std::string path = dir.File("book.csv");
    fs::create_directory(path);
    WriteBytes(path + "/inside", kOld);
    const std::string told = saver.save(path);
    EXPECT_NE(told.find(path), std::string::npos) << told;
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(ReadBytes(path + "/inside"), kOld);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"book.csv"});
  }
}

TEST(SavesUnderFailureTest, ANameOutsideTheCodePageIsSavedUnderItsOwnName) {
  AppState app;
  VirtualClock clock;
  for (const Saver& saver : Savers(app, clock)) {
    SCOPED_TRACE(saver.what);
    test::TempDir dir;
    const std::string path = dir.File("копия 日本 🙂.csv");
    WriteBytes(path, kOld);
    EXPECT_EQ(saver.save(path), "");
    EXPECT_NE(ReadBytes(path), kOld);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"копия 日本 🙂.csv"});
  }
}

}  // namespace
}  // namespace quorix
