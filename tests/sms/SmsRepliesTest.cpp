#include "sms/SmsReplies.h"

#include <gtest/gtest.h>

namespace quorix::sms {
namespace {

using Stores = std::vector<std::string>;

// The store list and the counts as a real L6 answers them.
TEST(SmsRepliesTest, StoresAndCountsFromTheL6sAnswers) {
  const std::string offered =
      "AT+CPMS=?\r\r\n+CPMS: (\"MT\",\"ME\",\"SM\",\"IM\",\"OM\",\"BM\",\"DM\"),(\"MT\",\"ME\","
      "\"SM\",\"OM\",\"DM\"),(\"MT\",\"ME\",\"SM\",\"IM\")\r\n\r\nOK\r\n";
  EXPECT_EQ(MessageStoresFromReply(offered), (Stores{"MT", "ME", "SM", "IM", "OM", "BM", "DM"}));
  EXPECT_EQ(StoresToRead(MessageStoresFromReply(offered)), (Stores{"ME", "SM"}));
  EXPECT_EQ(StoresToRead({"MT", "BM"}), Stores{"MT"});
  EXPECT_EQ(StoresToRead({"IM", "OM", "DM", "BM"}), (Stores{"IM", "OM", "DM"}));
  EXPECT_EQ(MessageStoresFromReply("+CPMS: (\"ME\",\"\",\"S M\",\"SM\")"), (Stores{"ME", "SM"}));
  EXPECT_EQ(MessageStoresFromReply("ERROR"), Stores{});

  const auto usage = StoreUsageFromReply("AT+CPMS=\"ME\"\r\r\n+CPMS: 18,254\r\n\r\nOK\r\n");
  ASSERT_TRUE(usage);
  EXPECT_EQ(usage->used, 18);
  EXPECT_EQ(usage->total, 254);
  EXPECT_TRUE(StoreUsageFromReply("+CPMS: 2,30,2,30,2,30\r\n"));
  EXPECT_FALSE(StoreUsageFromReply("+CPMS: x,254\r\n"));
}

// Each header with the PDU under it; a header without one, or with a stat out of range, is told
// and the parts around it kept; a PDU the decoder will not read is kept as it came.
TEST(SmsRepliesTest, ListingLinesBecomePartsAndBadOnesAreTold) {
  const std::string reply =
      "AT+CMGL=4\r\r\n"
      "+CMGL: 3,1,,24\r\n07919761989901F0040B919701119905F80000701130\r\n"
      "+CMGL: 4,9,,10\r\n0011\r\n"
      "+CMGL: 5,0,\"Anna, home\",12\r\nnot hex at all\r\n"
      "+CMGL: 6,3,,5\r\n"
      "+CMGL: 7,2,,5\r\n0001000000\r\n\r\nOK\r\n";
  const ListedParts listed = ListedPartsFromReply(reply, "ME");
  ASSERT_EQ(listed.parts.size(), 3u);
  EXPECT_EQ(listed.parts[0].index, 3);
  EXPECT_EQ(listed.parts[0].status, 1);
  EXPECT_EQ(listed.parts[0].store, "ME");
  EXPECT_EQ(listed.parts[0].pdu, "07919761989901F0040B919701119905F80000701130");
  EXPECT_EQ(listed.parts[1].index, 5);
  EXPECT_EQ(listed.parts[1].pdu, "not hex at all");
  EXPECT_EQ(listed.parts[2].index, 7);
  EXPECT_EQ(listed.badLines, (Stores{"+CMGL: 4,9,,10", "+CMGL: 6,3,,5"}));
}

}  // namespace
}  // namespace quorix::sms
