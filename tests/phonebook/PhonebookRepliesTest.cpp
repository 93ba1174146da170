#include "phonebook/PhonebookReplies.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "base/Conversion.h"

namespace quorix {
namespace {

// Captured replies, echo and framing included.
TEST(PhonebookRepliesTest, CategoryAndRecordLinesAsThePhoneSendsThem) {
  std::vector<std::string> categories;
  ScanCategoryLines(
      "AT+MPGR=1,30\r\r\n+MPGR: 1,0047,255,0,0\r\n+MPGR: 31,0041,1,0,1\r\n"
      "+MPGR: 3,04100411,5,0,4\r\n\r\nOK\r",
      [&](CategoryLine&& line) {
        categories.push_back(std::to_string(line.Index) + "|" + line.Values[0] + "|" +
                             line.Values[1] + "|" + line.Values[3]);
        return true;
      });
  EXPECT_EQ(categories, (std::vector<std::string>{"1|0047|255|0", "3|04100411|5|4"}));

  std::vector<RecordLine> records;
  const auto keep = [&](RecordLine&& line) { records.push_back(line); };
  const std::string reply =
      "AT+MPBR=1,10\r\r\n+MPBR: 5,\"123\",129,0041,1,0,255,0,0,2,255,255,0,,0,0\r\n"
      "+MPBR: 6,\"9\",129,0042,3\r\n"
      "+MPBR: 7,\"+7\",145,,0,0,1,0,1,3,255,255,0,0050,0,0,0041,,,,,,0042,\"01-02-2000\",\"x\"\r\n"
      "\r\nOK\r";
  ScanRecordLines(reply, true, keep);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].Values[0], "\"123\"");
  EXPECT_EQ(records[0].Values[12], "");
  EXPECT_EQ(records[1].Values[3], "3");  // a short line ends at its carriage return
  EXPECT_EQ(records[1].Values[4], "");
  EXPECT_EQ(records[2].Values[15], "0041");
  EXPECT_EQ(records[2].Values[22], "\"01-02-2000\"");  // the 24th value is not taken
  records.clear();
  ScanRecordLines(reply, false, keep);
  EXPECT_EQ(records[2].Values[14], "0");
  EXPECT_EQ(records[2].Values[15], "");

  // A bad index stops the scan after what came before it.
  records.clear();
  EXPECT_THROW(ScanRecordLines("+MPBR: 1,\"1\"\r\n+MPBR: x,\"2\"\r\n", false, keep),
               ConversionError);
  EXPECT_EQ(records.size(), 1u);
}

// The limits as real phones tell them: an L6 in its SIM, a RAZR-class phone, a phone whose
// range starts at 10.
TEST(PhonebookRepliesTest, MemoryLimitsAndCategoryCount) {
  const MemoryLimits sim = ParseCpbrLimits("AT+CPBR=?\r\r\n+CPBR: (501-750),40,15\r\n\r\nOK\r");
  EXPECT_EQ((std::tuple{sim.First, sim.Last, sim.NameLength}), (std::tuple{501, 750, 15}));
  const MemoryLimits razr = ParseMpbrLimits(
      "\n+MPBR: 1-1000,40,24,8,0-1,50,(0,2,4,6,9-30,255),(0),(0-1),(1-30),(255),25,(0-1,255),264,"
      "(0),0,0,0,0,0,0,0\r\n\r\nOK\r");
  EXPECT_EQ((std::tuple{razr.First, razr.Last, razr.NameLength}), (std::tuple{1, 1000, 24}));
  EXPECT_EQ(ParseMpbrLimits("+MPBR: 10-18259,40,24,14").First, 10);
  for (const char* junk : {"AT+CPBR=?\r\r\nERROR", "+CPBR: (750-501),40,15", "+CPBR: (1-9999999)",
                           "+CPBR: 1-750,40,15", "+CPBR: (0-10),40,15"}) {
    EXPECT_FALSE(ParseCpbrLimits(junk).Known()) << junk;
  }

  EXPECT_EQ(ParseCategoryCount("AT+MPGR=?\r\r\n+MPGR: (1-11)\r\n\r\nOK\r"), 11);
  EXPECT_EQ(ParseCategoryCount("+MPGR: (1-40)"), 30);
  EXPECT_EQ(ParseCategoryCount("AT+MPGR=?\r\r\nERROR"), 0);
  EXPECT_EQ(ParseCategoryCount("+MPGR: (2-11)"), 0);
}

// A name or address sent as quoted UCS2 hex reads as the same text; an empty "" stays.
TEST(PhonebookRepliesTest, QuotedUcs2FieldsLoseTheirQuotes) {
  std::vector<RecordLine> records;
  ScanRecordLines(
      "+MPBR: 501,\"+393280000000\",145,\"004D0061006400640079\",8,0,255,0,1,1,255,255,0,,0,0,"
      "\"0041\",,,,,,,\"\",\"\"\r\n",
      true, [&](RecordLine&& line) { records.push_back(line); });
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Values[0], "\"+393280000000\"");
  EXPECT_EQ(records[0].Values[2], "004D0061006400640079");
  EXPECT_EQ(records[0].Values[15], "0041");
  EXPECT_EQ(records[0].Values[22], "\"\"");
}

}  // namespace
}  // namespace quorix
