#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datebook/DatebookReplies.h"

namespace quorix {
namespace {

std::vector<DatebookLine> Scan(const std::string& reply,
                               std::optional<std::string>* stop = nullptr) {
  std::vector<DatebookLine> lines;
  const auto why = ScanDatebookLines(reply, [&](DatebookLine&& line) { lines.push_back(line); });
  if (stop) *stop = why;
  return lines;
}

TEST(DatebookRepliesTest, RecordLinesKeepNineFieldsAsTheyStand) {
  // The echo holds "+MDBR=", not the tag; a newer phone's longer record keeps its first nine
  // fields; a short line ends at its CR instead of running into the next.
  const std::string reply =
      "AT+MDBR=0,499\r\r\n"
      "+MDBR: 0,04210043,1,1,\"10:00\",\"12-10-2026\",60,\"09:45\",\"12-10-2026\",0\r\n"
      "+MDBR: 7,0041,1,0,\"17:00\",\"12-14-2026\",90,\"00:00\",\"00-00-2000\",0,\"18:30\",X\r\n"
      "+MDBR: 9,0042,0\r\n"
      "\r\nOK\r";
  const auto lines = Scan(reply);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Index, 0);
  EXPECT_EQ(lines[0].Fields, (DatebookRecord{"04210043", "1", "1", "\"10:00\"", "\"12-10-2026\"",
                                             "60", "\"09:45\"", "\"12-10-2026\"", "0"}));
  EXPECT_EQ(lines[1].Index, 7);
  EXPECT_EQ(lines[1].Fields[EventRepeat], "0");
  EXPECT_EQ(lines[2].Fields, (DatebookRecord{"0042", "0"}));
  // A phone that quotes the title's hex, as it quotes titles in ASCII mode, gives the same title.
  EXPECT_EQ(Scan("+MDBR: 0,\"04210043\",1,1,\"10:00\"\r\n")[0].Fields[EventDescription],
            "04210043");
  EXPECT_TRUE(Scan("AT+MDBR=0,499\r\r\nERROR").empty());
}

TEST(DatebookRepliesTest, ABadRecordNumberStopsTheScanThere) {
  std::optional<std::string> stop;
  auto lines = Scan("+MDBR: 1,0041,1\r\n+MDBR: 500,0042,1\r\n+MDBR: 2,0043,1\r\n", &stop);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Index, 1);
  EXPECT_EQ(stop, "record number 500 outside 0..499");
  lines = Scan("+MDBR: 1,0041\r\n+MDBR: x,0042\r\n", &stop);
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_EQ(stop, "'x' is not a valid integer value");
  Scan("+MDBR: 499,0041\r\n", &stop);
  EXPECT_EQ(stop, std::nullopt);
}

}  // namespace
}  // namespace quorix
