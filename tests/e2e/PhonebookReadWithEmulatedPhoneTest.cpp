#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "base/Clock.h"
#include "codec/CodePage.h"
#include "link/PhoneConnection.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookReader.h"
#include "support/Hex.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/Transcript.h"

namespace quorix {
namespace {

using emu::EmulatedPhone;
using emu::EmulatorOptions;
using emu::PhonebookMemory;
using emu::PtyPhoneServer;
using test::ReadBytes;
using test::RecordingShell;
using test::TempDir;
using test::WithReadBlocks;

// The program's reading path end to end: the emulated phone on a pseudo-terminal, the serial
// port driver, the AT exchange and the reader, with the polling tick run whenever the reader
// lets events run, as the window's timer would.
struct Reading {
  TempDir dir;
  PtyPhoneServer server;
  AppState state;
  RecordingShell shell;
  RealClock clock;
  PhoneConnection phone{state.settings, state.link, shell, clock};
  std::function<void()> onEvents;

  Reading(const std::string& model, bool sample, EmulatorOptions options = {})
      : server([&] {
          EmulatorOptions o = options;
          o.model = model;
          o.sample = sample;
          o.logPath = dir.File("phone.log");
          return o;
        }()) {
    SettingsPage& s = state.settings;
    s.ComPort = server.Start();
    s.Range = "10";
    s.SIM = "250";
    s.AdvancedPhoneBook = true;
    shell.onProcessEvents = [this](int) {
      phone.Com().PollTick();
      if (onEvents) onEvents();
    };
  }

  void Read() {
    phone.ConnectPhone();
    ASSERT_TRUE(state.link.PhoneConnected);
    ReadPhonebook(state, shell, phone);
  }

  // The command lines the phone received since the reading began.
  std::vector<std::string> ReadingCommands() const {
    return test::ReceivedCommands(dir.File("phone.log"), "AT+CSCS=UCS2");
  }

  int Used(PhonebookMemory memory) const {
    int used = 0;
    server.Inspect([&](const EmulatedPhone& p) { used = p.UsedRecords(memory); });
    return used;
  }

  int HighestIndex(int last) const {
    int highest = 0;
    server.Inspect([&](const EmulatedPhone& p) {
      for (int i = 1; i <= last; ++i)
        if (p.Record(i)) highest = i;
    });
    return highest;
  }

  const ListRow* Row(int index) const {
    for (const ListRow& row : state.phonebook.LV)
      if (row.Caption == std::to_string(index)) return &row;
    return nullptr;
  }
};

TEST(PhonebookReadWithEmulatedPhoneTest, C650WithBothMemoriesReadsUntilTheCountIsReached) {
  Reading r("C650", true);
  r.state.settings.FromSIM = true;
  r.state.settings.FromPHONE = true;
  r.Read();
  const PhonebookState& pb = r.state.phonebook;
  EXPECT_EQ(pb.FirstIndex, 1);
  EXPECT_EQ(pb.LastIndex, 750);
  const int used = r.Used(PhonebookMemory::Both);
  EXPECT_EQ(pb.ExpectedCount, used);
  EXPECT_EQ(pb.ReadCount, used);
  EXPECT_EQ(pb.LV.size(), static_cast<size_t>(used));
  const int highest = r.HighestIndex(750);
  ASSERT_GT(highest, 500) << "the sample has SIM records after the phone's 500";
  // The reading stops with the block that holds the last record.
  EXPECT_EQ(r.ReadingCommands(), WithReadBlocks({"AT+CSCS=UCS2", "AT+CPBS=\"ME\"", "AT+CPBR=?",
                                                 "AT+CPBS=\"SM\"", "AT+CPBR=?", "AT+CPBS=\"MT\"",
                                                 "AT+MPGR=?", "AT+MPGR=1,30", "AT+MPBSC=?"},
                                                1, (highest + 9) / 10 * 10, 10));
  EXPECT_TRUE(r.shell.messages.empty());

  const ListRow* mother = r.Row(1);
  ASSERT_NE(mother, nullptr);
  EXPECT_EQ(mother->Cells[NameCell], std::string("Мама"));
  EXPECT_EQ(mother->Cells[CategoryCell], std::string("Семья"));
  const ListRow* dmitry = r.Row(11);
  ASSERT_NE(dmitry, nullptr);
  EXPECT_EQ(dmitry->Cells[StreetCell], std::string("ул. Ленина 12"));
  EXPECT_EQ(dmitry->Cells[BirthdayCell], "11-02-1979");
  const ListRow* sim = r.Row(highest);
  ASSERT_NE(sim, nullptr);
  EXPECT_EQ(sim->Cells[TypeCell], "SIM");
  EXPECT_FALSE(sim->Cells[NameCell].empty());
  EXPECT_FALSE(pb.Tr.empty());
  EXPECT_EQ(r.shell.status[1], "");
  EXPECT_FALSE(r.shell.progressShown);
}

TEST(PhonebookReadWithEmulatedPhoneTest, E398PhoneMemoryIsReadToItsFixedEnd) {
  Reading r("E398", true);
  r.state.settings.FromPHONE = true;
  r.Read();
  const PhonebookState& pb = r.state.phonebook;
  EXPECT_EQ(pb.FirstIndex, 1);
  EXPECT_EQ(pb.LastIndex, 1000);
  EXPECT_EQ(pb.ExpectedCount, 1000);
  EXPECT_EQ(pb.ReadCount, r.Used(PhonebookMemory::Phone));
  EXPECT_EQ(r.ReadingCommands(), WithReadBlocks({"AT+CSCS=UCS2", "AT+CPBS=\"ME\"", "AT+CPBR=?",
                                                 "AT+CPBS=\"ME\"", "AT+MPGR=?", "AT+MPGR=1,30"},
                                                1, 1000, 10));
  EXPECT_TRUE(r.shell.messages.empty());
}

TEST(PhonebookReadWithEmulatedPhoneTest, WithBothBoxesOffNoMemoryIsSelected) {
  Reading r("C650", true);
  r.Read();
  const PhonebookState& pb = r.state.phonebook;
  EXPECT_EQ(pb.FirstIndex, 1);
  EXPECT_EQ(pb.LastIndex, 1000);
  // The phone stays in its own memory, so the count is that of the phone records.
  EXPECT_EQ(pb.ReadCount, r.Used(PhonebookMemory::Phone));
  const std::vector<std::string> commands = r.ReadingCommands();
  ASSERT_GE(commands.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(commands.begin(), commands.begin() + 6),
            (std::vector<std::string>{"AT+CSCS=UCS2", "AT+MPGR=?", "AT+MPGR=1,30", "AT+MPBSC=?",
                                      "AT+MPBR=1,10", "AT+MPBR=11,20"}));
}

TEST(PhonebookReadWithEmulatedPhoneTest, EmptyPhoneAsksOnceAndDecodesTheCategoryLine) {
  Reading r("C650", false);
  r.state.settings.FromPHONE = true;
  r.phone.ConnectPhone();
  ASSERT_TRUE(r.state.link.PhoneConnected);
  std::string reply;
  r.phone.SendATCommand("AT+CSCS=\"UCS2\"", reply);
  r.phone.Com().PollTick();
  r.phone.SendATCommand("AT+MPGW=3,04100411,5,0,4", reply);
  ASSERT_NE(reply.find("OK"), std::string::npos) << reply;
  r.phone.Com().PollTick();

  r.Read();
  const PhonebookState& pb = r.state.phonebook;
  EXPECT_EQ(pb.ExpectedCount, 0);
  EXPECT_TRUE(pb.LV.empty());
  EXPECT_EQ(
      r.ReadingCommands(),
      (std::vector<std::string>{"AT+CSCS=UCS2", "AT+CPBS=\"ME\"", "AT+CPBR=?", "AT+CPBS=\"ME\"",
                                "AT+MPGR=?", "AT+MPGR=1,30", "AT+MPBSC=?", "AT+MPBR=1,10"}));
  EXPECT_NE(ReadBytes(r.dir.File("phone.log")).find("+MPGR: 3,04100411,5,0,4\\r\\n"),
            std::string::npos);
  const CategoryListRow* third = nullptr;
  for (const CategoryListRow& row : pb.LVCat)
    if (row.Caption == "3") third = &row;
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->Cells[0], std::string("АБ"));
  EXPECT_EQ(third->Cells[1], "Vibe-Pulse (5)");
  EXPECT_EQ(third->Cells[2], std::string("Мерцание (4)"));
  EXPECT_EQ(pb.Categories[3][CategoryName], "04100411");
}

TEST(PhonebookReadWithEmulatedPhoneTest, FailedBlocksAreNotAskedAgainAndShowOneBox) {
  EmulatorOptions options;
  options.errorOn = {"AT+MPBR=11,", "AT+MPBR=31,"};
  Reading r("C650", true, options);
  r.state.settings.FromPHONE = true;
  r.Read();
  const PhonebookState& pb = r.state.phonebook;
  // The first error is a box; the next goes to the console, so the reading can still be stopped.
  ASSERT_EQ(r.shell.messages.size(), 1u);
  EXPECT_EQ(r.shell.messages[0].text.rfind("AT Command Error: AT+MPBR=11,20", 0), 0u);
  EXPECT_NE(std::find_if(r.shell.log.begin(), r.shell.log.end(),
                         [](const std::string& line) {
                           return line.rfind("AT Command Error: AT+MPBR=31,40", 0) == 0;
                         }),
            r.shell.log.end());
  for (int i = 11; i <= 20; ++i) {
    EXPECT_EQ(r.Row(i), nullptr) << i;
    EXPECT_EQ(pb.PhonebookEntries[i][EntryNumber], "") << i;
  }
  EXPECT_NE(r.Row(21), nullptr);
  EXPECT_FALSE(r.shell.progressShown);
  // The count is never reached, so the blocks run to the end of the phone's range.
  EXPECT_LT(pb.ReadCount, pb.ExpectedCount);
  EXPECT_EQ(r.ReadingCommands(),
            WithReadBlocks({"AT+CSCS=UCS2", "AT+CPBS=\"ME\"", "AT+CPBR=?", "AT+CPBS=\"ME\"",
                            "AT+MPGR=?", "AT+MPGR=1,30", "AT+MPBSC=?"},
                           1, 500, 10));
}

TEST(PhonebookReadWithEmulatedPhoneTest, EmailsHoldingOkOrErrorReadWholeAndRestore) {
  Reading r("E398", false);
  const std::vector<std::string> mails = {"BOOKS@MAIL.RU", "TERROR@X.RU", "OK@OK.RU",
                                          "ERROR@MAIL.RU"};
  r.server.Change([&](EmulatedPhone& p) {
    for (size_t i = 0; i < mails.size(); ++i) {
      emu::PhonebookRecord record;
      record.number = mails[i];
      record.numberFormat = "128";
      record.name = test::Hex("Mail");
      record.numberType = "6";
      record.melody = "255";
      record.category = "1";
      p.PutRecord(static_cast<int>(i) + 1, record);
    }
  });
  r.state.settings.FromPHONE = true;
  r.Read();
  const PhonebookState& pb = r.state.phonebook;
  for (size_t i = 0; i < mails.size(); ++i) {
    EXPECT_EQ(pb.PhonebookEntries[i + 1][EntryNumber], "\"" + mails[i] + "\"");
    EXPECT_EQ(pb.PhonebookEntries[i + 1][EntryNumberType], "6");
  }
  EXPECT_EQ(pb.LV.size(), mails.size());
  EXPECT_TRUE(r.shell.messages.empty());

  const std::string book = r.dir.File("book.csv");
  SavePhonebookFile(r.state, r.clock, book);
  AppState restored;
  RecordingShell shell;
  RestorePhonebookFile(restored, shell, book);
  for (size_t i = 1; i <= mails.size(); ++i) {
    EXPECT_EQ(restored.phonebook.PhonebookEntries[i][EntryNumber],
              pb.PhonebookEntries[i][EntryNumber]);
  }
}

TEST(PhonebookReadWithEmulatedPhoneTest, AbortStopsBeforeTheNextBlock) {
  EmulatorOptions options;
  options.fill = 100;
  Reading r("E398", false, options);
  r.state.settings.FromPHONE = true;
  r.onEvents = [&r] {
    if (r.state.phonebook.ReadCount == 5) r.state.AbortRequested = true;
  };
  r.Read();
  const PhonebookState& pb = r.state.phonebook;
  EXPECT_EQ(
      r.ReadingCommands(),
      (std::vector<std::string>{"AT+CSCS=UCS2", "AT+CPBS=\"ME\"", "AT+CPBR=?", "AT+CPBS=\"ME\"",
                                "AT+MPGR=?", "AT+MPGR=1,30", "AT+MPBR=1,10"}));
  EXPECT_EQ(pb.LV.size(), 10u) << "what was parsed stays";
  EXPECT_EQ(pb.LV[9].Cells[NameCell], "Contact 10");
  EXPECT_TRUE(pb.Tr.empty()) << "no tree rebuild after an abort";
}

}  // namespace
}  // namespace quorix
