#include "sms/SmsJoin.h"

#include <gtest/gtest.h>

namespace quorix::sms {
namespace {

SmsPart Listed(int index, std::string text, std::optional<SmsConcat> concat, int status = 1) {
  SmsPart part;
  part.index = index;
  part.status = status;
  part.decoded = true;
  part.number = "+79161234567";
  part.time = SmsTime{2008, 12, 31, 23, index, 0, 12};
  part.text = std::move(text);
  part.concat = concat;
  return part;
}

std::vector<int> Indexes(const SmsMessage& message) {
  std::vector<int> indexes;
  for (const SmsPart& part : message.parts) indexes.push_back(part.index);
  return indexes;
}

TEST(SmsJoinTest, PartsJoinInSequenceWhereverTheyStand) {
  // The second part came first, a message of its own between it and the others.
  const auto messages =
      JoinParts({Listed(1, "lo, ", SmsConcat{7, 3, 2}), Listed(2, "alone", {}),
                 Listed(3, "Hel", SmsConcat{7, 3, 1}, 0), Listed(4, "world", SmsConcat{7, 3, 3})});
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "Hello, world");
  EXPECT_EQ(Indexes(messages[0]), (std::vector<int>{3, 1, 4}));
  EXPECT_EQ(messages[0].time->minute, 3) << "the first part's time";
  EXPECT_FALSE(messages[0].read);
  EXPECT_TRUE(messages[0].missingParts.empty());
  EXPECT_EQ(messages[1].text, "alone");
  EXPECT_TRUE(messages[1].read);
}

TEST(SmsJoinTest, NoPartIsLost) {
  // The second of three never came; the first of another message came twice; the same reference
  // sent is no part of the received one.
  SmsPart undecoded = Listed(6, "0102", SmsConcat{9, 2, 2});
  undecoded.decoded = false;
  const auto messages =
      JoinParts({Listed(1, "one ", SmsConcat{5, 3, 1}), Listed(2, "three", SmsConcat{5, 3, 3}),
                 Listed(3, "A", SmsConcat{9, 2, 1}), Listed(4, "B", SmsConcat{9, 2, 1}),
                 Listed(5, "sent", SmsConcat{5, 3, 2}, 3), undecoded});
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].text, "one […]three");
  EXPECT_EQ(messages[0].missingParts, std::vector<int>{2});
  EXPECT_TRUE(messages[0].decoded);
  EXPECT_EQ(messages[1].text, "A");
  EXPECT_FALSE(messages[1].decoded);
  EXPECT_EQ(Indexes(messages[1]), (std::vector<int>{3, 6}));
  EXPECT_EQ(messages[2].text, "B[…]");
  EXPECT_EQ(messages[3].text, "[…]sent[…]");
  EXPECT_EQ(messages[3].direction, SmsDirection::Sent);
}

}  // namespace
}  // namespace quorix::sms
