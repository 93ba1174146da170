#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "base/Clock.h"
#include "datebook/DatebookCommands.h"
#include "datebook/DatebookFile.h"
#include "datebook/DatebookReader.h"
#include "datebook/DatebookWriter.h"
#include "link/PhoneConnection.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "support/Hex.h"
#include "support/PtyLine.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"
#include "support/Transcript.h"

namespace quorix {
namespace {

using emu::EmulatedPhone;
using emu::EmulatorOptions;
using test::Hex;
using Commands = std::vector<std::string>;

// The program's datebook paths end to end: the emulated phone on a pseudo-terminal, the serial
// port driver, the AT exchange and the datebook, with the polling tick run whenever events run.
struct Datebook {
  explicit Datebook(bool sample, EmulatorOptions options = {})
      : server([&] {
          options.sample = sample;
          options.logPath = dir.File("phone.log");
          return options;
        }()) {
    state.settings.ComPort = server.Start();
    shell.onProcessEvents = [this](int) {
      phone.Com().PollTick();
      if (onEvents) onEvents();
    };
    phone.ConnectPhone();
    EXPECT_TRUE(state.link.PhoneConnected);
  }

  // The command lines the phone received from the last `since` on.
  Commands Received(const std::string& since) const {
    return test::ReceivedCommands(dir.File("phone.log"), since);
  }
  bool Locked() const {
    bool locked = true;
    server.Inspect([&](const EmulatedPhone& p) { locked = p.DatebookLocked(); });
    return locked;
  }
  DatebookReadOutcome Read() { return ReadDatebook(state, shell, phone); }
  void Restore(const std::string& path) {
    shell.openAnswers.push_back(path);
    Button10Click(state, shell, phone, clock);
  }

  test::TempDir dir;
  emu::PtyPhoneServer server;
  AppState state;
  test::RecordingShell shell;
  RealClock clock;
  PhoneConnection phone{state.settings, state.link, shell, clock};
  std::function<void()> onEvents;
};

TEST(DatebookWithEmulatedPhoneTest, ReadFillsTheTableAndTheListAndUnlocksTheDatebook) {
  Datebook d(true);
  const DatebookReadOutcome outcome = d.Read();
  EXPECT_FALSE(outcome.HadFailures());
  EXPECT_EQ(outcome.RecordsRead, 9);
  EXPECT_EQ(d.Received("AT+CSCS=UCS2"),
            (Commands{"AT+CSCS=UCS2", "AT+MDBL=1", "AT+MDBR=0,499", "AT+MDBL=0"}));
  EXPECT_FALSE(d.Locked());
  const DatebookState& db = d.state.datebook;
  EXPECT_EQ(db.DatebookRecords[0],
            (DatebookRecord{Hex("Совещание"), "1", "1", "\"10:00\"", "\"12-10-2026\"", "60",
                            "\"09:45\"", "\"12-10-2026\"", "0"}));
  ASSERT_EQ(db.LVCal.size(), 9u);
  EXPECT_EQ(db.LVCal[1].Caption, "1");
  EXPECT_EQ(db.LVCal[1].Cells[EventDescription], std::string("День рождения Анны"));
  EXPECT_EQ(db.LVCal[1].Cells[EventRepeat], "Ежегодно");
  EXPECT_EQ(db.LVCal[8].Cells[EventDescription], std::string("Планёрка; отдел №2"));
  EXPECT_NE(std::find(d.shell.log.begin(), d.shell.log.end(), "AT+MDBR=0,499"), d.shell.log.end());
  EXPECT_TRUE(d.shell.messages.empty());
  EXPECT_FALSE(d.shell.progressShown);

  const DatebookTable first = db.DatebookRecords;
  d.Read();
  EXPECT_EQ(db.DatebookRecords, first) << "a second reading does not extend the fields";
  EXPECT_EQ(db.LVCal.size(), 9u);
}

TEST(DatebookWithEmulatedPhoneTest, AnEmptyDatebookLeavesAnEmptyListAndStillUnlocks) {
  Datebook d(false);
  d.state.datebook.LVCal.push_back({"3", {}});
  EXPECT_FALSE(d.Read().HadFailures());
  EXPECT_TRUE(d.state.datebook.LVCal.empty());
  EXPECT_EQ(d.state.datebook.DatebookRecords, DatebookTable{});
  EXPECT_EQ(d.Received("AT+CSCS=UCS2").back(), "AT+MDBL=0");
  EXPECT_FALSE(d.Locked());
}

TEST(DatebookWithEmulatedPhoneTest, ASavedDatebookRestoresIntoAnEmptiedPhone) {
  Datebook from(true);
  from.server.Change([](EmulatedPhone& p) {
    p.PutDatebookEvent(9, {Hex("Обед; потом кино"), "1", "0", "13:00", "12-12-2026", "120", "00:00",
                           "00-00-2000", "0"});
  });
  from.Read();
  const std::string path = from.dir.File("d.csv");
  SaveDatebookFile(from.state.datebook.DatebookRecords, from.clock, path);

  Datebook into(false);
  into.state.UploadHadErrors = true;  // as an earlier phonebook upload may have left it
  into.Restore(path);
  ASSERT_EQ(into.shell.messages.size(), 1u);
  EXPECT_EQ(into.shell.messages[0].text, std::string("Загрузка успешно завершена!"));
  EXPECT_FALSE(into.state.UploadHadErrors);
  const Commands sent = into.Received("ATZ");
  ASSERT_EQ(sent.size(), 14u);
  EXPECT_EQ(Commands(sent.begin(), sent.begin() + 3),
            (Commands{"ATZ", "AT+CSCS=UCS2", "AT+MDBL=1"}));
  EXPECT_EQ(sent[3], "AT+MDBW=0," + Hex("Совещание") +
                         ",1,1,\"10:00\",\"12-10-2026\",60,\"09:45\",\"12-10-2026\",0");
  EXPECT_EQ(sent.back(), "AT+MDBL=0");
  EXPECT_FALSE(into.Locked());
  ASSERT_EQ(into.state.datebook.LVCal.size(), 10u) << "the list shows what the phone now holds";
  EXPECT_EQ(into.state.datebook.LVCal[0].Cells[EventDate], "10.12.2026");

  into.Read();
  EXPECT_EQ(into.state.datebook.DatebookRecords, from.state.datebook.DatebookRecords);
  EXPECT_EQ(into.state.datebook.LVCal.back().Cells[EventDescription],
            std::string("Обед; потом кино"));
}

TEST(DatebookWithEmulatedPhoneTest, AFileOfOnlyTheHeaderLocksAndUnlocksOnly) {
  Datebook d(true);
  const std::string path = d.dir.File("empty.csv");
  test::WriteBytes(path, DatebookFileHeader() + "08.12.2026 12:00:00\r\n");
  d.Restore(path);
  EXPECT_EQ(d.Received("ATZ"), (Commands{"ATZ", "AT+CSCS=UCS2", "AT+MDBL=1", "AT+MDBL=0"}));
  EXPECT_EQ(d.shell.messages.back().text, std::string("Загрузка успешно завершена!"));

  // A file that is not a datebook sends nothing at all.
  test::WriteBytes(path, "Motorola phonebook file, it was created with Quorix \r\n0;a;1\r\n");
  d.Restore(path);
  EXPECT_EQ(d.shell.messages.back().caption, "ERROR");
  EXPECT_EQ(d.Received("ATZ").size(), 4u);
}

TEST(DatebookWithEmulatedPhoneTest, ClosingTheProgressWindowStopsTheRestoreAndUnlocks) {
  Datebook d(true);
  d.Read();
  d.onEvents = [&d] {
    if (d.shell.progressPosition == 2) d.state.AbortRequested = true;
  };
  const DatebookRestoreOutcome outcome = WriteDatebookToPhone(d.state, d.shell, d.phone, d.clock);
  EXPECT_TRUE(outcome.Aborted);
  const Commands sent = d.Received("ATZ");
  ASSERT_EQ(sent.size(), 6u);
  EXPECT_EQ(sent[4].rfind("AT+MDBW=1,", 0), 0u);
  EXPECT_EQ(sent[5], "AT+MDBL=0");
  EXPECT_FALSE(d.Locked());
  d.shell.messages.clear();
  ReportDatebookRestore(d.shell, d.state, outcome);
  EXPECT_TRUE(d.shell.messages.empty());
}

TEST(DatebookWithEmulatedPhoneTest, AFailedWriteOrASilentPhoneEndsTheRestoreWithErrors) {
  EmulatorOptions options;
  options.errorOn = {"AT+MDBW=3,"};
  Datebook d(true, options);
  d.Read();
  d.Restore([&] {
    const std::string path = d.dir.File("d.csv");
    SaveDatebookFile(d.state.datebook.DatebookRecords, d.clock, path);
    return path;
  }());
  EXPECT_TRUE(d.state.UploadHadErrors);
  ASSERT_EQ(d.shell.messages.size(), 2u);
  EXPECT_EQ(d.shell.messages[0].text.rfind("AT Command Error: AT+MDBW=3,", 0), 0u);
  EXPECT_EQ(d.shell.messages[1].text, std::string("Загрузка завершена с ошибками!"));
  EXPECT_EQ(d.Received("ATZ").size(), 13u) << "the writes after it still go out";

  // The line drops during the writes: the restore stops and says so.
  options.errorOn.clear();
  options.hangupAfter = 600;
  Datebook silent(true, options);
  silent.state.datebook.DatebookRecords = d.state.datebook.DatebookRecords;
  const DatebookRestoreOutcome outcome =
      WriteDatebookToPhone(silent.state, silent.shell, silent.phone, silent.clock);
  EXPECT_TRUE(outcome.PhoneSilent);
  EXPECT_TRUE(silent.state.UploadHadErrors);
  EXPECT_FALSE(silent.state.link.PhoneConnected);
  EXPECT_FALSE(silent.shell.progressShown);
  silent.shell.messages.clear();
  ReportDatebookRestore(silent.shell, silent.state, outcome);
  ASSERT_EQ(silent.shell.messages.size(), 1u);
  EXPECT_EQ(silent.shell.messages[0].text.rfind(
                std::string("Телефон не отвечает: запись ежедневника прервана. Записано "), 0),
            0u);
}

// A phone that sends what the emulated one never does: a record number out of range, a reply cut
// short.
struct OddPhone {
  explicit OddPhone(std::string datebookReply) {
    line.AnswerWith([reply = std::move(datebookReply)](const std::string& command) {
      if (command == "AT+CGMM") return test::EchoOk(command, "+CGMM: \"MODEL=E398\"");
      if (command == "AT+MDBR=0,499") return command + "\r" + reply;
      return test::EchoOk(command);
    });
    state.settings.ComPort = line.SlavePath();
    phone.ConnectPhone();
  }
  test::PtyLine line;
  AppState state;
  test::RecordingShell shell;
  test::FastClock clock;
  PhoneConnection phone{state.settings, state.link, shell, clock};
};

const std::string kRecordLine =
    "+MDBR: 0,0041,1,0,\"10:00\",\"12-10-2026\",60,\"09:45\",\"12-10-2026\",0\r\n";

TEST(DatebookWithEmulatedPhoneTest, ABadRecordNumberStopsTheReadingButTheDatebookIsUnlocked) {
  OddPhone odd("\r\n" + kRecordLine + "+MDBR: 512,0042,1,0\r\n\r\nOK\r\n");
  const DatebookReadOutcome outcome = ReadDatebook(odd.state, odd.shell, odd.phone);
  EXPECT_EQ(outcome.BadRecord, "record number 512 outside 0..499");
  EXPECT_TRUE(outcome.HadFailures());
  EXPECT_EQ(odd.line.Lines().back(), "AT+MDBL=0");
  EXPECT_EQ(odd.state.datebook.LVCal.size(), 1u);
  EXPECT_EQ(odd.state.datebook.DatebookRecords[0][EventDescription], "0041");
  EXPECT_TRUE(odd.shell.progressShown) << "left for the user to close";
  ReportDatebookReading(odd.shell, outcome);
  ASSERT_EQ(odd.shell.messages.size(), 1u);
  EXPECT_NE(odd.shell.messages[0].text.find("record number 512 outside 0..499"), std::string::npos);
}

TEST(DatebookWithEmulatedPhoneTest, AReplyCutShortKeepsItsWholeLinesAndEndsTheReading) {
  OddPhone odd("\r\n" + kRecordLine + "+MDBR: 1,0042,1,0,\"11:");
  const DatebookReadOutcome outcome = ReadDatebook(odd.state, odd.shell, odd.phone);
  EXPECT_TRUE(outcome.PhoneSilent);
  EXPECT_EQ(outcome.RecordsRead, 1);
  EXPECT_EQ(odd.state.datebook.LVCal.size(), 1u);
  EXPECT_EQ(odd.line.Lines().back(), "AT+MDBR=0,499") << "nothing more goes to a closed port";
  EXPECT_FALSE(odd.shell.progressShown);
  ReportDatebookReading(odd.shell, outcome);
  ASSERT_EQ(odd.shell.messages.size(), 1u);
  EXPECT_EQ(odd.shell.messages[0].text,
            std::string("Телефон не отвечает: чтение ежедневника прервано. Прочитано записей: 1."));
}

}  // namespace
}  // namespace quorix
