#include "phonebook/PhonebookReplies.h"

#include <gtest/gtest.h>

#include <string>
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

}  // namespace
}  // namespace quorix
