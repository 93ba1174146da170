#include "datebook/DatebookFile.h"

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "base/Clock.h"
#include "codec/CodePage.h"
#include "datebook/DatebookCommands.h"
#include "support/FileSizeLimit.h"
#include "support/Hex.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"

namespace quorix {
namespace {

using test::Hex;
using test::ReadBytes;
using test::WriteBytes;

const std::string kHeader = "Motorola datebook file, it was created with Quorix ";

DatebookRecord Event(const std::string& utf8, const std::string& date) {
  return {Hex(utf8),          "1", "0", "\"10:00\"", "\"" + date + "\"", "60", "\"09:45\"",
          "\"" + date + "\"", "0"};
}

TEST(DatebookFileTest, TheSavedTextReadsBackToTheSameRecords) {
  DatebookTable table;
  table[0] = Event("Совещание", "12-10-2026");
  table[3] = Event("Обед; потом кино", "12-11-2026");
  table[7] = {Hex("x")};
  table[9] = {"", "1", "0"};  // no description: not in use
  const std::string text = DatebookFileText(table, "08.12.2026 12:00:00");
  EXPECT_EQ(text, kHeader + "08.12.2026 12:00:00\r\n" +
                      "0;Совещание;1;0;\"10:00\";\"12-10-2026\";60;\"09:45\";"
                      "\"12-10-2026\";0\r\n"
                      "3;Обед; потом кино;1;0;\"10:00\";\"12-11-2026\";60;\"09:45\";"
                      "\"12-11-2026\";0\r\n" +
                      "7;x;;;;;;;;\r\n");

  test::TempDir dir;
  const std::string path = dir.File("d.csv");
  WriteBytes(path, Utf8ToCp1251(text + "\r\n12;Отпуск;0;0\r\n0;Совещание;0\r\n"));
  DatebookTable restored = ReadDatebookFile(path);
  EXPECT_EQ(restored[3], table[3]) << "the \";\" stays in the description";
  EXPECT_EQ(restored[7], table[7]) << "a short line is a record like any other";
  EXPECT_EQ(restored[9], DatebookRecord{});
  EXPECT_EQ(restored[12], (DatebookRecord{Hex("Отпуск"), "0", "0"}));
  EXPECT_EQ(restored[0], (DatebookRecord{Hex("Совещание"), "0"})) << "a repeated number replaces";
}

TEST(DatebookFileTest, AFileThatIsNotADatebookOrIsMalformedIsRefused) {
  test::TempDir dir;
  const std::string path = dir.File("d.csv");
  const auto refusal = [&](const std::string& text) {
    WriteBytes(path, text);
    try {
      ReadDatebookFile(path);
    } catch (const DatebookFileError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  const std::string invalid = "Invalid file type or bad file size. Please open another file!";
  EXPECT_EQ(refusal(kHeader.substr(0, 50) + "\r\n"), invalid);
  EXPECT_EQ(refusal("Motorola phonebook file, it was created with Quorix \r\n"), invalid);
  EXPECT_EQ(refusal(""), invalid);
  EXPECT_EQ(refusal(kHeader + "\r\n0;a;1\r\n500;b;1\r\n"),
            "Line 3: record number 500 outside 0..499");
  EXPECT_EQ(refusal(kHeader + "\r\nfirst;a;1\r\n"), "Line 2: 'first' is not a valid integer value");
  EXPECT_EQ(refusal(kHeader + "\r\n0;a;1\rAT+MPBW=1\r\n"),
            "Line 2: a carriage return inside the line");
  EXPECT_EQ(refusal(kHeader), "accepted");
  EXPECT_EQ(refusal(kHeader + "\r\n"), "accepted");
  EXPECT_THROW(ReadDatebookFile(dir.File("absent.csv")), DatebookFileError);
}

TEST(DatebookFileTest, SaveAsksBeforeAPartialReadingReplacesAFileAndAFailedSaveKeepsIt) {
  AppState app;
  test::RecordingShell shell;
  VirtualClock clock;
  test::TempDir dir;
  const std::string path = dir.File("d.csv");
  Button7Click(app, shell, clock);
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].caption, "Warning!");
  EXPECT_EQ(shell.messages[0].text, "Ежедневник пуст: прочитайте его из телефона.");
  EXPECT_TRUE(shell.fileChoices.empty());
  shell.messages.clear();

  // What is loaded is saved with no phone connected.
  app.datebook.DatebookRecords[4] = Event("Встреча", "01-02-2027");
  shell.saveAnswers.push_back(path);
  Button7Click(app, shell, clock);
  EXPECT_EQ(shell.fileChoices.back().filter, "Excel File (*.csv)|*.csv|Text File (*.txt)|*.txt");
  const std::string saved = ReadBytes(path);
  EXPECT_EQ(saved.rfind(kHeader + "08.12.2026", 0), 0u) << saved;

  app.datebook.LastReading.Exchanges.Failed = 1;
  shell.saveAnswers.push_back(path);
  Button7Click(app, shell, clock);
  EXPECT_EQ(shell.calls.back().rfind("AskYesNo|", 0), 0u);
  EXPECT_EQ(ReadBytes(path), saved) << "answered No";

  shell.saveAnswers.push_back(path);
  shell.yesNoAnswers.push_back(true);
  {
    const test::FileSizeLimit limit(8);
    app.datebook.DatebookRecords[4] = Event("Длинная встреча", "01-02-2027");
    Button7Click(app, shell, clock);
  }
  EXPECT_EQ(shell.messages.back().caption, "ERROR");
  EXPECT_EQ(shell.messages.back().text.rfind("Cannot write " + path + ": ", 0), 0u);
  EXPECT_EQ(ReadBytes(path), saved);
}

}  // namespace
}  // namespace quorix
