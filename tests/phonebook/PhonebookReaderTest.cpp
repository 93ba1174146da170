#include "phonebook/PhonebookReader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "PhonebookFixture.h"
#include "ScriptedPhone.h"
#include "base/Conversion.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/PhonebookReplies.h"

namespace quorix {
namespace {

struct ReaderFixture : PhonebookFixture {
  ScriptedPhone phone;
  ReaderFixture() {
    app->settings.Range = "10";
    app->settings.SIM = "250";
    app->link.PhoneModel = "C650";
    app->link.PhoneConnected = true;
  }
  std::vector<std::string> Reads() const {
    std::vector<std::string> reads;
    for (const std::string& c : phone.sent) {
      if (c.rfind("AT+MPBR=", 0) == 0) reads.push_back(c);
    }
    return reads;
  }
  bool Called(const std::string& call) const {
    return std::find(shell.calls.begin(), shell.calls.end(), call) != shell.calls.end();
  }
};

TEST(PhonebookReaderTest, ReadsCategoriesAndRecordsOfBothMemories) {
  ReaderFixture f;
  f.app->settings.FromSIM = true;
  f.app->settings.FromPHONE = true;
  f.phone.lines["AT+MPGR=1,30"] = {"+MPGR: 1,00410042,255,0,0", "+MPGR: 3,04100411,5,0,4",
                                   "+MPGR: 31,0041,1,0,1"};
  f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 750,3"};
  f.phone.lines["AT+MPBR=1,10"] = {"+MPBR: 5,\"123\",129,0041,1,0,255,0,0,2,255,255,0,,0,0"};
  f.phone.lines["AT+MPBR=11,20"] = {"+MPBR: 12,\"+7\",145,,0,0,1,0,1,3,255,255,0,,0,0"};
  f.phone.lines["AT+MPBR=21,30"] = {"+MPBR: 1251,\"9\",129,,0,0,1,0,1,3,255,255,0,,0,0",
                                    "+MPBR: 27,\"27\",129,,7,0,9,0,1,31,255,255,0,,0,0"};
  ReadPhonebook(*f.app, f.shell, f.phone);

  // Each memory is asked its range first; this phone tells none, so the model's range holds.
  EXPECT_EQ(f.phone.sent,
            (std::vector<std::string>{"AT+CSCS=UCS2", "AT+CPBS=\"ME\"", "AT+CPBR=?", "AT+MPBR=?",
                                      "AT+CPBS=\"SM\"", "AT+CPBR=?", "AT+CPBS=\"MT\"", "AT+MPGR=?",
                                      "AT+MPGR=1,30", "AT+MPBSC=?", "AT+MPBR=1,10", "AT+MPBR=11,20",
                                      "AT+MPBR=21,30"}));
  EXPECT_EQ(f.pb.FirstIndex, 1);
  EXPECT_EQ(f.pb.LastIndex, 750);
  EXPECT_EQ(f.pb.ExpectedCount, 3);
  EXPECT_EQ(f.pb.ReadCount, 3);

  // How a category line reads is checked against the emulated phone; here: which rows are kept.
  EXPECT_EQ(f.pb.Categories[3][CategoryMark], "");
  ASSERT_EQ(f.pb.LVCat.size(), 2u);
  EXPECT_EQ(f.pb.LVCat[1].Caption, "3");
  EXPECT_EQ(f.pb.LVCat[0].Cells[1], "Default");
  EXPECT_EQ(f.pb.LVCat[0].Cells[2], "");
  ASSERT_EQ(f.pb.Popup.AssignCategory.size(), 2u);
  EXPECT_EQ(f.pb.Popup.AssignCategory[1].Tag, 3);
  EXPECT_EQ(std::string(f.pb.Popup.AssignCategory[1].Caption), "АБ");
  EXPECT_EQ(f.pb.EntryEditorLists.ComboBox2.size(), 2u);

  const EntryRow& row5 = f.pb.PhonebookEntries[5];
  EXPECT_EQ(row5[EntryNumber], "\"123\"");
  EXPECT_EQ(row5[EntryName], "0041");
  EXPECT_EQ(row5[EntryCategory], "2");
  EXPECT_EQ(row5[EntryField15], "0");
  EXPECT_EQ(row5[EntryMark], "");
  ASSERT_EQ(f.pb.LV.size(), 3u);
  EXPECT_EQ(f.pb.LV[0].Caption, "5");
  EXPECT_EQ(f.pb.LV[0].Cells[NameCell], "A");
  EXPECT_EQ(f.pb.LV[0].Cells[CategoryCell], "");  // category 2 has no name
  EXPECT_EQ(f.pb.LV[1].Cells[TypeCell], "Work");
  EXPECT_EQ(std::string(f.pb.LV[1].Cells[CategoryCell]), "АБ");
  EXPECT_EQ(f.pb.LV[2].Caption, "27");
  EXPECT_EQ(f.pb.LV[2].Cells[TypeCell], "Subscribe");
  EXPECT_EQ(f.pb.PhonebookEntries[1250][EntryNumber], "");

  // The tree was built: category 1 (empty), category 3 with entry 12, then the entries of the
  // categories the phone did not name.
  ASSERT_EQ(f.pb.Tr.size(), 4u);
  EXPECT_EQ(f.pb.PhonebookEntries[12][EntryTreeIndex], "2");

  EXPECT_EQ(f.shell.title, "Quorix");
  EXPECT_TRUE(f.Called("SetStatus|1|" + std::string("Чтение информации...")));
  EXPECT_EQ(f.shell.status[1], "");
  EXPECT_TRUE(f.Called("ProgressSetText|" + std::string("Чтение категорий...")));
  EXPECT_TRUE(f.Called("ProgressSetText|" + std::string("Чтение записей справочника...")));
  EXPECT_TRUE(f.Called("ProgressSetMax|3"));
  EXPECT_EQ(f.shell.calls.front(), "ProgressShow");
  EXPECT_EQ(f.shell.calls.back(), "ProgressClose");
  EXPECT_EQ(f.shell.progressPosition, 3);
  // The log: each command, then its reply; the memory command without its reply.
  ASSERT_GE(f.shell.log.size(), 8u);
  EXPECT_EQ(f.shell.log[0], "AT+CSCS=UCS2");
  EXPECT_EQ(f.shell.log[1], "AT+CSCS=UCS2\r\r\nOK\r");
  EXPECT_EQ(f.shell.log[2], "AT+CPBS=\"MT\"");
  EXPECT_EQ(f.shell.log[3], "AT+MPGR=1,30");
  EXPECT_EQ(f.shell.log[5], "AT+MPBSC=?");
  EXPECT_EQ(f.shell.log[7], "AT+MPBR=1,10");
  EXPECT_EQ(std::count(f.shell.log.begin(), f.shell.log.end(), "Reading all records again..."), 0);
}

// The phone memory of a fixed-count model, both boxes off, a failed block and an abort between
// blocks are read against the emulated phone (PhonebookReadWithEmulatedPhoneTest).
TEST(PhonebookReaderTest, SimRangesByModel) {
  for (const auto& [model, first, last, lastRead] :
       {std::tuple{"C650", 501, 750, "AT+MPBR=741,750"},
        std::tuple{"V1050", 1000, 1250, "AT+MPBR=1250,1250"},
        std::tuple{"L6", 501, 750, "AT+MPBR=741,750"}}) {
    ReaderFixture f;
    f.app->link.PhoneModel = model;
    f.app->settings.FromSIM = true;
    f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: x,5"};
    // As a real L6 answers in its SIM: the table of models would put its SIM at 1001.
    if (std::string(model) == "L6") f.phone.lines["AT+CPBR=?"] = {"+CPBR: (501-750),40,15"};
    ReadPhonebook(*f.app, f.shell, f.phone);
    EXPECT_EQ(f.phone.sent[1], "AT+CPBS=\"SM\"");
    EXPECT_EQ(f.pb.FirstIndex, first);
    EXPECT_EQ(f.pb.LastIndex, last);
    EXPECT_EQ(f.Reads().front(),
              "AT+MPBR=" + std::to_string(first) + "," + std::to_string(first + 9));
    EXPECT_EQ(f.Reads().back(), lastRead);
  }
}

// A phone that refuses the record count is read over its whole range, and the failure told.
TEST(PhonebookReaderTest, ARefusedCountReadsTheWholeRange) {
  ReaderFixture f;
  f.app->link.PhoneModel = "C650";
  f.app->settings.FromPHONE = true;
  f.phone.failing = {"AT+MPBSC=?"};
  f.phone.lines["AT+MPBR=491,500"] = {"+MPBR: 495,\"1\",129,0041,1,0,255,0,1,1,255,255,0,,0,0"};
  const PhonebookReadOutcome outcome = ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_EQ(outcome.RecordsRead, 1);
  EXPECT_EQ(f.Reads().back(), "AT+MPBR=491,500");
  EXPECT_TRUE(outcome.HadFailures());
}

TEST(PhonebookReaderTest, SelectingTheMemoryAloneSendsOneCommand) {
  ReaderFixture f;
  f.app->link.PhoneModel = "V3";
  f.app->settings.FromSIM = true;
  f.app->settings.FromPHONE = true;
  SelectPhonebookMemory(*f.app, f.phone);
  EXPECT_EQ(f.phone.sent.back(), "AT+CPBS=\"MT\"");
  EXPECT_EQ(f.pb.FirstIndex, 1);
  EXPECT_EQ(f.pb.LastIndex, 1000);  // fixed-count model, whatever the SIM adds
  EXPECT_EQ(f.pb.ExpectedCount, 1000);
  f.app->settings.FromSIM = false;
  f.app->settings.FromPHONE = false;
  f.pb.FirstIndex = 7;
  f.app->link.PhoneModel = "V180";
  const size_t sent = f.phone.sent.size();
  SelectPhonebookMemory(*f.app, f.phone);
  EXPECT_EQ(f.phone.sent.size(), sent);
  EXPECT_EQ(f.pb.FirstIndex, 7);
  EXPECT_EQ(f.pb.LastIndex, 1000);
  f.app->settings.FromSIM = true;
  f.app->settings.SIM = "many";
  EXPECT_THROW(SelectPhonebookMemory(*f.app, f.phone), ConversionError);
  EXPECT_EQ(f.phone.sent.size(), sent);
}

TEST(PhonebookReaderTest, CountReply) {
  EXPECT_EQ(ParseCountReply("AT+MPBSC=?\r\r\n+MPBSC: 1000,42\r\n\r\nOK\r"), 42);
  EXPECT_EQ(ParseCountReply("\nAT+MPBSC=?\r\r\n+MPBSC: 1,0\r\n\r\nOK\r"), 0);
  EXPECT_THROW(ParseCountReply("AT+MPBSC=?\r\r\nERROR"), ConversionError);
}

TEST(PhonebookReaderTest, RecordLinesStopAtTheirEndOrLastValue) {
  ReaderFixture f;
  f.app->settings.FromPHONE = true;
  f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 500,3"};
  f.phone.lines["AT+MPBR=1,10"] = {
      "+MPBR: 2,\"22\",129,0042,3",  // short: ends at its carriage return
      "+MPBR: 3,\"33\",129,0043,1,0,255,0,1,1,255,255,0,0050,0,0,0041,,,,,,0042,\"01-02-2000\","
      "\"x\"",
      "+MPBR: 4,\"44\",129,,1,0,255,0,1,1,255,255,0,,0,0"};
  f.app->settings.AdvancedPhoneBook = true;
  ReadPhonebook(*f.app, f.shell, f.phone);
  const EntryRow& short2 = f.pb.PhonebookEntries[2];
  EXPECT_EQ(short2[EntryNumberType], "3");
  EXPECT_EQ(short2[EntryVoiceLabel], "");
  const EntryRow& row3 = f.pb.PhonebookEntries[3];
  EXPECT_EQ(row3[EntryPicture], "0050");
  EXPECT_EQ(row3[EntryDistrict], "0041");
  EXPECT_EQ(row3[EntryNickname], "0042");
  EXPECT_EQ(row3[EntryBirthday], "\"01-02-2000\"");
  EXPECT_NE(row3[EntryTreeIndex], "\"x\"");  // values past the 23rd are not stored
  ASSERT_EQ(f.pb.LV.size(), 3u);
  EXPECT_EQ(f.pb.LV[1].Cells[DistrictCell], "A");
  EXPECT_EQ(f.pb.LV[1].Cells[NicknameCell], "B");
  EXPECT_EQ(f.pb.LV[1].Cells[BirthdayCell], "01-02-2000");
  EXPECT_EQ(f.pb.PhonebookEntries[4][EntryNumber], "\"44\"");

  // The basic parser stops after the 15th value.
  ReaderFixture g;
  g.app->settings.FromPHONE = true;
  g.phone.lines = f.phone.lines;
  ReadPhonebook(*g.app, g.shell, g.phone);
  EXPECT_EQ(g.pb.PhonebookEntries[3][EntryField15], "0");
  EXPECT_EQ(g.pb.PhonebookEntries[3][EntryDistrict], "");
  EXPECT_EQ(g.pb.LV[1].Cells[DistrictCell], "");
}

TEST(PhonebookReaderTest, AbortWhileTheCategoriesAreReadStopsBeforeTheRecords) {
  ReaderFixture f;
  f.phone.lines["AT+MPGR=1,30"] = {"+MPGR: 1,0041,255,0,0"};
  f.shell.onProcessEvents = [&](int) { f.app->AbortRequested = true; };
  ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_EQ(f.phone.Count("AT+MPBSC=?"), 0);
  EXPECT_TRUE(f.pb.LVCat.empty());
  EXPECT_NE(f.shell.calls.back(), "ProgressClose");
}

TEST(PhonebookReaderTest, ARepeatedNumberReplacesItsRow) {
  ReaderFixture f;
  f.app->settings.FromPHONE = true;
  f.phone.lines["AT+MPGR=1,30"] = {"+MPGR: 2,0041,255,0,0", "+MPGR: 2,0042,1,0,3"};
  f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 500,2"};
  f.phone.lines["AT+MPBR=1,10"] = {"+MPBR: 1,\"+111\",145,0041,1,0,255,0,1,2,255,255,0,,0,0",
                                   "+MPBR: 1,\"+222\",145,0042,3,0,255,0,1,2,255,255,0,,0,0",
                                   "+MPBR: 3,\"333\",129,,1,0,255,0,1,2,255,255,0,,0,0"};
  ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_EQ(f.pb.Categories[2][CategoryName], "0042");
  EXPECT_EQ(f.pb.Categories[2][CategoryLight], "3");
  ASSERT_EQ(f.pb.LVCat.size(), 1u);
  EXPECT_EQ(f.pb.LVCat[0].Cells[0], "B");
  EXPECT_EQ(f.pb.Popup.AssignCategory.size(), 1u);
  EXPECT_EQ(f.pb.EntryEditorLists.ComboBox2, std::vector<std::string>{"B"});
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryNumber], "\"+222\"");
  EXPECT_EQ(f.pb.PhonebookEntries[1][EntryNumberType], "3");
  ASSERT_EQ(f.pb.LV.size(), 2u);
  EXPECT_EQ(f.pb.LV[0].Cells[NumberCell], "+222");
  EXPECT_EQ(f.pb.ReadCount, 2);
}

TEST(PhonebookReaderTest, RefusesABlockSizeOrSimCapacityOutsideTheTable) {
  for (const std::string range : {"0", "-10", "abc", "", "1251", "2147483647"}) {
    ReaderFixture f;
    f.app->settings.Range = range;
    EXPECT_EQ(ReadPhonebook(*f.app, f.shell, f.phone).Exchanges.Requests, 0);
    EXPECT_TRUE(f.phone.sent.empty()) << range;
    ASSERT_EQ(f.shell.messages.size(), 1u);
    EXPECT_EQ(f.shell.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(f.shell.progressShown);
  }
  for (const auto& [model, sim, refused] :
       {std::tuple{"E398", "251", true}, std::tuple{"L6", "2147483647", true},
        std::tuple{"C650", "751", true}, std::tuple{"C650", "750", false},
        std::tuple{"L6", "-1", true}}) {
    ReaderFixture f;
    f.app->link.PhoneModel = model;
    f.app->settings.FromSIM = true;
    f.app->settings.SIM = sim;
    f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 750,0"};
    ReadPhonebook(*f.app, f.shell, f.phone);
    EXPECT_EQ(f.phone.sent.empty(), refused) << model << " " << sim;
    if (refused) {
      ASSERT_EQ(f.shell.messages.size(), 1u);
      EXPECT_EQ(std::string(f.shell.messages[0].text),
                std::string("Емкость SIM карты должна быть числом от 0 до ") +
                    (std::string(model) == "C650" ? "750" : "250") + "!");
    }
  }
}

TEST(PhonebookReaderTest, APhoneFallingSilentStopsTheReadingAtOnce) {
  ReaderFixture f;
  f.app->settings.FromPHONE = true;
  f.phone.lines["AT+MPGR=1,30"] = {"+MPGR: 1,0041,255,0,0"};
  f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 500,30"};
  f.phone.lines["AT+MPBR=1,10"] = {"+MPBR: 1,\"1\",129,0041,1,0,255,0,1,1,255,255,0,,0,0"};
  f.phone.unanswered = {"AT+MPBR=11,20"};
  const PhonebookReadOutcome outcome = ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_TRUE(outcome.PhoneSilent);
  EXPECT_TRUE(outcome.HadFailures());
  EXPECT_EQ(outcome.RecordsRead, 1);
  EXPECT_EQ(f.phone.sent.back(), "AT+MPBR=11,20");
  EXPECT_EQ(f.pb.LV.size(), 1u);
  EXPECT_EQ(f.pb.Tr.size(), 1u);
  EXPECT_FALSE(f.shell.progressShown);
  EXPECT_TRUE(f.shell.messages.empty());
  ReportPhonebookReading(f.shell, outcome);
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(f.shell.messages[0].text,
            std::string("Телефон не отвечает: чтение справочника прервано.\r\n"
                        "Прочитано 1 из 30 записей."));

  ReaderFixture early;
  early.phone.unanswered = {"AT+CSCS=UCS2"};
  EXPECT_TRUE(ReadPhonebook(*early.app, early.shell, early.phone).PhoneSilent);
  EXPECT_EQ(early.phone.sent.size(), 1u);
}

TEST(PhonebookReaderTest, ErrorRepliesAreCountedAndReportedOnce) {
  ReaderFixture f;
  f.app->settings.FromPHONE = true;
  f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 500,2"};
  f.phone.lines["AT+MPBR=1,10"] = {"+MPBR: 1,\"1\",129,0041,1,0,255,0,1,1,255,255,0,,0,0"};
  f.phone.failing = {"AT+CPBS=\"ME\"", "AT+MPBR=11,20"};
  PhonebookReadOutcome outcome = ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_TRUE(outcome.Finished);
  EXPECT_FALSE(outcome.PhoneSilent);
  EXPECT_EQ(outcome.RecordsRead, 1);
  EXPECT_EQ(outcome.RecordsReported, 2);
  EXPECT_EQ(outcome.Exchanges.Failed, 2);
  // The questions for the memory's range (refused: not asked more) and the category count went
  // uncounted.
  EXPECT_EQ(outcome.Exchanges.Requests, static_cast<int>(f.phone.sent.size()) - 2);
  EXPECT_EQ(f.pb.LastReading.Exchanges.Failed, 2);
  ReportPhonebookReading(f.shell, outcome);
  ASSERT_EQ(f.shell.messages.size(), 1u);
  EXPECT_EQ(f.shell.messages[0].text,
            std::string("Справочник прочитан с ошибками: прочитано 1 из 2 записей, 2 из ") +
                std::to_string(outcome.Exchanges.Requests) +
                std::string(" запросов без ответа или с ошибкой."));

  // A clean reading, and one the user stopped, end without a message.
  f.phone.failing.clear();
  outcome = ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_FALSE(outcome.HadFailures());
  f.shell.onProcessEvents = [&](int) { f.app->AbortRequested = true; };
  const PhonebookReadOutcome aborted = ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_TRUE(aborted.Aborted);
  EXPECT_TRUE(aborted.HadFailures());
  ReportPhonebookReading(f.shell, outcome);
  ReportPhonebookReading(f.shell, aborted);
  EXPECT_EQ(f.shell.messages.size(), 1u);
}

TEST(PhonebookReaderTest, ConversionErrorKeepsWhatWasParsed) {
  ReaderFixture f;
  f.app->settings.FromPHONE = true;
  f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 500,3"};
  f.phone.lines["AT+MPBR=1,10"] = {"+MPBR: 1,\"1\",129,,1,0,255,0,1,1,255,255,0,,0,0",
                                   "+MPBR: 2,\"2\",129,,x,0,255,0,1,1,255,255,0,,0,0"};
  try {
    ReadPhonebook(*f.app, f.shell, f.phone);
    ADD_FAILURE() << "no conversion error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
  }
  EXPECT_EQ(f.pb.LV.size(), 1u);
  EXPECT_EQ(f.pb.PhonebookEntries[2][EntryNumber], "\"2\"");
  EXPECT_TRUE(f.shell.progressShown);
}

TEST(PhonebookReaderTest, ReadingAgainReplacesEverything) {
  ReaderFixture f;
  f.app->settings.FromPHONE = true;
  f.phone.lines["AT+MPGR=1,30"] = {"+MPGR: 2,0041,255,0,0"};
  f.phone.lines["AT+MPBSC=?"] = {"+MPBSC: 500,1"};
  f.phone.lines["AT+MPBR=1,10"] = {"+MPBR: 3,\"3\",129,,1,0,255,0,1,2,255,255,0,,0,0"};
  ReadPhonebook(*f.app, f.shell, f.phone);
  f.pb.PhonebookEntries[9][EntryNumber] = "\"stale\"";
  f.pb.SelectedItemIndex = 0;
  ReadPhonebook(*f.app, f.shell, f.phone);
  EXPECT_EQ(std::count(f.shell.log.begin(), f.shell.log.end(), "Reading all records again..."), 1);
  EXPECT_EQ(f.pb.PhonebookEntries[9][EntryNumber], "");
  EXPECT_EQ(f.pb.PhonebookEntries[3][EntryNumber], "\"3\"");
  EXPECT_EQ(f.pb.LV.size(), 1u);
  EXPECT_EQ(f.pb.LVCat.size(), 1u);
  EXPECT_EQ(f.pb.Popup.AssignCategory.size(), 1u);
  EXPECT_EQ(f.pb.EntryEditorLists.ComboBox2.size(), 1u);
  EXPECT_EQ(f.pb.SelectedItemIndex, -1);
}

}  // namespace
}  // namespace quorix
