#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/Clock.h"
#include "codec/CodePage.h"
#include "datebook/DatebookReader.h"
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
  EXPECT_EQ(outcome.RecordsRead, 8);
  EXPECT_EQ(d.Received("AT+CSCS=UCS2"),
            (Commands{"AT+CSCS=UCS2", "AT+MDBL=1", "AT+MDBR=0,499", "AT+MDBL=0"}));
  EXPECT_FALSE(d.Locked());
  const DatebookState& db = d.state.datebook;
  EXPECT_EQ(db.DatebookRecords[0],
            (DatebookRecord{Hex("Совещание"), "1", "1", "\"10:00\"", "\"12-10-2026\"", "60",
                            "\"09:45\"", "\"12-10-2026\"", "0"}));
  ASSERT_EQ(db.LVCal.size(), 8u);
  EXPECT_EQ(db.LVCal[1].Caption, "1");
  EXPECT_EQ(db.LVCal[1].Cells[EventDescription], Ansi("День рождения Анны"));
  EXPECT_EQ(db.LVCal[1].Cells[EventField9], "5");
  EXPECT_NE(std::find(d.shell.log.begin(), d.shell.log.end(), "AT+MDBR=0,499"), d.shell.log.end());
  EXPECT_TRUE(d.shell.messages.empty());
  EXPECT_FALSE(d.shell.progressShown);

  const DatebookTable first = db.DatebookRecords;
  d.Read();
  EXPECT_EQ(db.DatebookRecords, first) << "a second reading does not extend the fields";
  EXPECT_EQ(db.LVCal.size(), 8u);
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
            Ansi("Телефон не отвечает: чтение ежедневника прервано. Прочитано записей: 1."));
}

}  // namespace
}  // namespace quorix
