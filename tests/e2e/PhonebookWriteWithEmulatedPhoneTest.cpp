#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "codec/CodePage.h"
#include "codec/Ucs2.h"
#include "link/PhoneConnection.h"
#include "link/PhoneReset.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "phonebook/EntryEditor.h"
#include "phonebook/EntryList.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookReader.h"
#include "phonebook/PhonebookWriter.h"
#include "support/EmulatedPhoneSettings.h"
#include "support/Hex.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"
#include "support/Transcript.h"

namespace quorix {
namespace {

using emu::EmulatedPhone;
using emu::EmulatorOptions;
using test::Hex;

// The program's writing path end to end: the emulated phone on a pseudo-terminal, the serial
// driver, the AT exchange and the writer; the 200 ms pauses are skipped, the waits for the phone
// are real.
struct Writing {
  test::TempDir dir;
  emu::PtyPhoneServer server;
  AppState state;
  test::RecordingShell shell;
  test::SkippingClock clock;
  PhoneConnection phone{state.settings, state.link, shell, clock};

  explicit Writing(EmulatorOptions options = Sample())
      : server([&] {
          options.logPath = dir.File("phone.log");
          return options;
        }()) {
    quorix::test::UseEmulatedPhone(state, server.Start());
    shell.onProcessEvents = [this](int) { phone.Com().PollTick(); };
    phone.ConnectPhone();
  }

  static EmulatorOptions Sample() {
    EmulatorOptions options;
    options.sample = true;
    return options;
  }

  // The commands the phone received since the last "ATZ", the reset an upload begins with.
  std::vector<std::string> Sent() const {
    return test::ReceivedCommands(dir.File("phone.log"), "ATZ");
  }

  EntryRow& Marked(int index, const std::string& number, const std::string& name) {
    EntryRow& row = state.phonebook.PhonebookEntries[index];
    row = {};
    row[EntryNumber] = "\"" + number + "\"";
    row[EntryNumberFormat] = number[0] == '+' ? "145" : "129";
    row[EntryName] = Hex(name);
    row[EntryNumberType] = "3";
    row[EntryVoiceLabel] = "0";
    row[EntryMelody] = "255";
    row[EntryField7] = "9";
    row[EntryPrimary] = "1";
    row[EntryCategory] = "1";
    row[EntryField10] = "255";
    row[EntryField11] = "255";
    row[EntryField12] = "0";
    row[EntryField14] = "0";
    row[EntryField15] = "0";
    row[EntryMark] = kMarkChanged;
    return row;
  }
};

// A second reading holds the rows the first had, but for what the program adds (the tree index,
// the marks) and the quotes a birthday may come with.
void ExpectSameEntries(const PhonebookState& read, const PhonebookState& expected) {
  const auto normal = [](EntryRow row) {
    std::string& birthday = row[EntryBirthday];
    if (birthday.size() >= 2 && birthday.front() == '"')
      birthday = birthday.substr(1, birthday.size() - 2);
    row[EntryTreeIndex].clear();
    row[EntryMark].clear();
    return row.fields;
  };
  for (int i = 1; i <= kEntryRows; ++i) {
    ASSERT_EQ(EntryIsUsed(read, i), EntryIsUsed(expected, i)) << i;
    if (!EntryIsUsed(expected, i)) continue;
    EXPECT_EQ(normal(read.PhonebookEntries[i]), normal(expected.PhonebookEntries[i])) << i;
  }
}

PhonebookWriteOutcome Upload(Writing& w) {
  const PhonebookWriteOutcome outcome = UploadPhonebook(w.state, w.shell, w.phone, w.clock);
  ReportUpload(w.state, w.shell, outcome);
  return outcome;
}

TEST(PhonebookWriteWithEmulatedPhoneTest, AnUploadWithoutMarksStillResetsAndSelectsTheMemory) {
  Writing w;
  ASSERT_TRUE(w.state.link.PhoneConnected);
  w.state.DataModified = true;
  Upload(w);
  EXPECT_EQ(w.Sent(), (std::vector<std::string>{"ATZ", "AT+CSCS=UCS2", "AT+CPBS=\"MT\""}));
  EXPECT_FALSE(w.state.DataModified);
  EXPECT_FALSE(w.shell.progressShown);
  ASSERT_EQ(w.shell.messages.size(), 1u);
  EXPECT_EQ(w.shell.messages[0].text, std::string("Загрузка успешно звершена!"));
  EXPECT_EQ(w.shell.status[0], std::string("Телефон готов!"));
  EXPECT_GE(w.clock.Skipped(), kResetPauseMs);
}

TEST(PhonebookWriteWithEmulatedPhoneTest, MarkedRowsGoOutCategoriesFirstInThePhonesLayout) {
  Writing w;
  PhonebookState& pb = w.state.phonebook;
  pb.Categories[1][CategoryName] = Hex("General");
  pb.Categories[1][CategoryMark] = kMarkChanged;
  pb.Categories[5] = {};
  pb.Categories[5][CategoryName] = Hex("Новая");
  pb.Categories[5][CategoryMelody] = "255";
  pb.Categories[5][CategoryField3] = "0";
  pb.Categories[5][CategoryLight] = "4";
  pb.Categories[5][CategoryMark] = kMarkChanged;
  pb.Categories[8][CategoryName] = Hex("Спорт");
  pb.Categories[8][CategoryMark] = kMarkRemoved;
  EntryRow& advanced = w.Marked(3, "+79161112233", "Вера");
  advanced[EntryCity] = Hex("Тула");
  advanced[EntryBirthday] = "\"03-15-1970\"";  // held with its quotes, as read
  w.Marked(4, "84950001122", "")[EntryBirthday] = "\"\"";
  pb.PhonebookEntries[7][EntryNumber] = "\"777\"";
  pb.PhonebookEntries[7][EntryMark] = kMarkRemoved;
  w.state.DataModified = true;

  const PhonebookWriteOutcome outcome = Upload(w);
  const std::string address = ",,," + Hex("Тула") + ",,,,";
  EXPECT_EQ(w.Sent(), (std::vector<std::string>{
                          "ATZ", "AT+CSCS=UCS2", "AT+CPBS=\"MT\"", "AT+MPGW=5",
                          "AT+MPGW=5," + Hex("Новая") + ",255,0,4", "AT+MPGW=8", "AT+MPBW=3",
                          "AT+MPBW=3,\"+79161112233\",145," + Hex("Вера") +
                              ",3,0,255,0,1,1,255,255,0,,0,0" + address + ",\"03-15-1970\"",
                          "AT+MPBW=4",
                          "AT+MPBW=4,\"84950001122\",129,,3,0,255,0,1,1,255,255,0,,0,0,,,,,,,,\"\"",
                          "AT+MPBW=7"}));
  EXPECT_EQ(outcome.Written, 3);
  EXPECT_EQ(outcome.Deleted, 2);
  EXPECT_EQ(pb.PhonebookEntries[3][EntryMark], "");
  EXPECT_EQ(pb.PhonebookEntries[4][EntryBirthday], "");
  EXPECT_EQ(pb.PhonebookEntries[7][EntryNumber], "");
  EXPECT_EQ(pb.Categories[8][CategoryName], "");
  EXPECT_EQ(pb.Categories[1][CategoryMark], "") << "the phone's own category waits for nothing";
  EXPECT_FALSE(w.state.DataModified);
  EXPECT_EQ(w.shell.status[1], "");
  w.server.Inspect([&](const EmulatedPhone& p) {
    ASSERT_NE(p.Record(3), nullptr);
    EXPECT_EQ(p.Record(3)->birthday, "03-15-1970");
    EXPECT_EQ(p.Record(7), nullptr);
    ASSERT_NE(p.Category(5), nullptr);
    EXPECT_EQ(p.Category(8), nullptr);
  });

  // The basic layout: 15 fields after the index, the seventh 0 whatever the row holds there.
  w.state.settings.AdvancedPhoneBook = false;
  w.Marked(9, "999", "B");
  Upload(w);
  EXPECT_EQ(w.Sent().back(), "AT+MPBW=9,\"999\",129," + Hex("B") + ",3,0,255,0,1,1,255,255,0,,0,0");
}

TEST(PhonebookWriteWithEmulatedPhoneTest, ARestoredBookClearsThePhoneOnceAndOnlyWhenAsked) {
  for (const bool clearFirst : {true, false}) {
    Writing w;
    w.state.RestoredFromFile = true;
    w.state.settings.ClearPB = clearFirst;
    w.Marked(2, "222", "Two");
    w.shell.yesNoAnswers = {true};
    Upload(w);
    if (clearFirst) {
      ASSERT_EQ(w.shell.noByDefault.size(), 1u) << "the clear is asked, No by default";
      EXPECT_EQ(w.shell.noByDefault[0],
                "Перед загрузкой из телефона будут удалены все записи и категории, затем будет "
                "записано записей: 1.\n\nОчистить справочник телефона и загрузить?");
    }
    const std::vector<std::string> sent = w.Sent();
    const bool cleared = std::find(sent.begin(), sent.end(), "AT+MPBW=1000") != sent.end();
    EXPECT_EQ(cleared, clearFirst);
    EXPECT_EQ(std::find(sent.begin(), sent.end(), "AT+MPGW=30") != sent.end(), clearFirst);
    EXPECT_FALSE(w.state.RestoredFromFile);
    int used = 0;
    w.server.Inspect(
        [&](const EmulatedPhone& p) { used = p.UsedRecords(emu::PhonebookMemory::Phone); });
    EXPECT_EQ(used == 1, clearFirst) << "the restored row alone is left after a clear: " << used;

    w.Marked(2, "223", "Two");
    Upload(w);
    const std::vector<std::string> again = w.Sent();
    EXPECT_EQ(std::find(again.begin(), again.end(), "AT+MPBW=1000"), again.end());
  }

  // A restored book of no entry: asked most plainly; No leaves the phone as it was.
  Writing declined;
  declined.state.RestoredFromFile = true;
  declined.state.settings.ClearPB = true;
  EXPECT_TRUE(
      UploadPhonebook(declined.state, declined.shell, declined.phone, declined.clock).Declined);
  ASSERT_EQ(declined.shell.noByDefault.size(), 1u);
  EXPECT_EQ(declined.shell.noByDefault[0].rfind("В восстановленном справочнике нет ни одной "
                                                "записи! Очистка удалит из телефона все записи",
                                                0),
            0u);
  int kept = 0;
  declined.server.Inspect(
      [&](const EmulatedPhone& p) { kept = p.UsedRecords(emu::PhonebookMemory::Phone); });
  EXPECT_EQ(kept, 39);
  EXPECT_TRUE(declined.state.RestoredFromFile) << "the next upload asks again";

  // With the SIM alone the clear runs over the SIM's records as the phone tells them: an L6's
  // 501..750, where the table of models would have put them after 1000.
  EmulatorOptions l6 = Writing::Sample();
  l6.model = "L6";
  Writing sim(l6);
  sim.state.settings.FromPHONE = false;
  sim.state.settings.FromSIM = true;
  sim.state.settings.SIM = "10";
  PhonebookWriteOutcome outcome;
  EXPECT_TRUE(ClearPhoneMemory(sim.state, sim.shell, sim.phone, sim.clock, outcome));
  const std::vector<std::string> sent = sim.Sent();
  EXPECT_EQ(std::find(sent.begin(), sent.end(), "AT+MPBW=500"), sent.end());
  EXPECT_NE(std::find(sent.begin(), sent.end(), "AT+MPBW=501"), sent.end());
  EXPECT_EQ(sent.back(), "AT+MPBW=750");
  EXPECT_EQ(outcome.Failed, 0);
}

TEST(PhonebookWriteWithEmulatedPhoneTest, FailedAndUnreachedRowsKeepTheirMarks) {
  EmulatorOptions options = Writing::Sample();
  options.errorOn = {"AT+MPBW=3,"};
  Writing w(options);
  w.Marked(3, "333", "Three");
  w.Marked(4, "444", "Four");
  Upload(w);
  EXPECT_EQ(w.state.phonebook.PhonebookEntries[3][EntryMark], kMarkChanged);
  EXPECT_EQ(w.state.phonebook.PhonebookEntries[4][EntryMark], "");
  EXPECT_TRUE(w.state.DataModified) << "closing still asks about row 3";
  EXPECT_TRUE(w.state.UploadHadErrors);
  EXPECT_EQ(w.shell.messages.back().text.rfind(std::string("Загрузка завершена с ошибками!"), 0),
            0u);

  // Closing the progress window stops before the next row.
  w.shell.messages.clear();
  w.Marked(5, "555", "Five");
  w.Marked(6, "666", "Six");
  w.shell.onProcessEvents = [&w](int) {
    w.phone.Com().PollTick();
    if (w.state.phonebook.PhonebookEntries[3][EntryMark].empty() ||
        w.state.phonebook.PhonebookEntries[5][EntryMark].empty()) {
      w.state.AbortRequested = true;
    }
  };
  Upload(w);
  EXPECT_EQ(w.state.phonebook.PhonebookEntries[5][EntryMark], "");
  EXPECT_EQ(w.state.phonebook.PhonebookEntries[6][EntryMark], kMarkChanged);
  EXPECT_TRUE(w.state.DataModified);
}

TEST(PhonebookWriteWithEmulatedPhoneTest, APhoneThatHangsUpStopsTheUploadAtOnce) {
  EmulatorOptions options = Writing::Sample();
  options.hangupAfter = 400;
  Writing w(options);
  for (int i = 1; i <= 20; ++i) w.Marked(i, std::to_string(100 + i), "N");
  const PhonebookWriteOutcome outcome = Upload(w);
  EXPECT_TRUE(outcome.PhoneSilent);
  EXPECT_FALSE(w.state.link.PhoneConnected);
  ASSERT_EQ(w.shell.messages.size(), 1u);
  EXPECT_EQ(w.shell.messages[0].text, std::string("Телефон не отвечает: загрузка прервана."));
  EXPECT_EQ(w.state.phonebook.PhonebookEntries[20][EntryMark], kMarkChanged);
  EXPECT_TRUE(w.state.DataModified);
}

// What users do: read, edit, upload, read again; the phone then holds exactly the edited book.
TEST(PhonebookWriteWithEmulatedPhoneTest, TheEditedBookIsWhatThePhoneHoldsAfterTheUpload) {
  Writing w;
  ReadPhonebook(w.state, w.shell, w.phone);
  PhonebookState& pb = w.state.phonebook;
  ASSERT_GT(pb.LV.size(), 20u);

  pb.PhonebookEntries[2][EntryName] = Hex("Мамочка");
  pb.PhonebookEntries[2][EntryMark] = kMarkChanged;
  ASSERT_TRUE(PrepareAddEntry(w.state, w.shell));
  pb.EntryEditor.Edit2 = std::string("Новый");
  pb.EntryEditor.Edit3 = "+79990001122";
  pb.EntryEditor.ComboBox1 = "Mobile";
  pb.EntryEditor.ComboBox2 = "VIP";
  pb.EntryEditor.Edit14 = "05-06-2001";
  ASSERT_TRUE(AcceptEntryEditor(w.state, w.shell));
  const int added = pb.EditIndex;
  LVSelectItem(pb, FindListRow(pb, 4), true);
  RemoveSelectedEntry(w.state, w.shell);
  LVSelectItem(pb, FindListRow(pb, 5), true);
  AssignCategory(w.state, 8);
  Upload(w);
  ASSERT_FALSE(w.state.UploadHadErrors);

  AppState again;
  again.settings = w.state.settings;
  again.link = w.state.link;
  ReadPhonebook(again, w.shell, w.phone);
  ExpectSameEntries(again.phonebook, pb);
  EXPECT_FALSE(EntryIsUsed(again.phonebook, 4));
  EXPECT_EQ(again.phonebook.PhonebookEntries[2][EntryName], Hex("Мамочка"));
  EXPECT_EQ(again.phonebook.PhonebookEntries[5][EntryCategory], "8");
  EXPECT_EQ(again.phonebook.PhonebookEntries[added][EntryNumberFormat], "145");
}

// Every alphabet of the sample, read, kept in a backup, restored and uploaded into an empty
// phone, arrives there with the codes it had.
TEST(PhonebookWriteWithEmulatedPhoneTest, AMultiAlphabetBookGoesThroughItsBackupIntoAnotherPhone) {
  Writing from;
  from.state.settings.AdvancedPhoneBook = true;
  ReadPhonebook(from.state, from.shell, from.phone);
  const PhonebookState& read = from.state.phonebook;
  ASSERT_EQ(DecodeUcs2Hex(read.PhonebookEntries[38][EntryName]), "Київ Їжак");
  ASSERT_EQ(read.PhonebookEntries[43][EntryName], "674E5C0F9F8D");
  const std::string backup = from.dir.File("book.csv");
  EXPECT_TRUE(SavePhonebookFile(from.state, from.clock, backup)) << "not code page 1251";

  Writing to(EmulatorOptions{});
  to.state.settings.AdvancedPhoneBook = true;
  RestorePhonebookFile(to.state, to.shell, backup);
  Upload(to);
  ASSERT_FALSE(to.state.UploadHadErrors);
  AppState again;
  again.settings = to.state.settings;
  again.link = to.state.link;
  ReadPhonebook(again, to.shell, to.phone);
  ExpectSameEntries(again.phonebook, read);
  for (int c = 1; c <= kCategoryRows; ++c) {
    EXPECT_EQ(again.phonebook.Categories[c][CategoryName], read.Categories[c][CategoryName]) << c;
  }
}

}  // namespace
}  // namespace quorix
