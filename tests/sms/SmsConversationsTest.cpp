#include "sms/SmsConversations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sms/SmsSamples.h"

namespace quorix::sms {
namespace {

using test::At;
using test::Message;

TEST(SmsConversationsTest, SpellingsOfOneNumberJoinAndConversationsComeNewestFirst) {
  const auto in = [](const std::string& number, std::optional<SmsTime> time,
                     const std::string& text) {
    return Message(SmsDirection::Received, number, time, text);
  };
  const std::vector<SmsMessage> listing = {
      in("+79211234567", At(2007, 3, 14, 9, 30), "a-0630"),
      Message(SmsDirection::Sent, "+380501234567", std::nullopt, "u1"),
      in("0900", At(2007, 3, 13, 9, 0), "short-0900"),
      Message(SmsDirection::Sent, "89211234567", std::nullopt, "a-sent"),
      in("MTS", At(2007, 3, 12, 9, 0), "alpha-MTS"),
      in("8 921 123-45-67", At(2007, 3, 14, 9, 0), "a-0600"),
      Message(SmsDirection::Draft, "", std::nullopt, "nobody"),
      in("900", At(2007, 3, 15, 10, 0), "short-900"),
      Message(SmsDirection::Draft, "+7 (921) 123-45-67", std::nullopt, "a-draft"),
      in("mts", At(2007, 3, 11, 9, 0), "alpha-mts"),
      in("+79211234567", At(2007, 3, 14, 7, 0, 0), "a-0700"),  // later than 09:30 at +03:00
      in("123-45-67", At(2007, 3, 1, 9, 0), "seven-1"),
      in("1234567", At(2007, 3, 2, 9, 0), "seven-2"),
  };
  const std::map<std::string, std::string> book = {{"89211234567", "Иван"}, {"900", "Банк"}};
  std::vector<std::string> asked;
  const std::vector<SmsConversation> conversations =
      Conversations(listing, [&](const std::string& number) {
        asked.push_back(number);
        const auto found = book.find(number);
        return found == book.end() ? std::string() : found->second;
      });

  struct Seen {
    std::string number, name;
    std::vector<std::string> texts;
  };
  std::vector<Seen> seen;
  for (const SmsConversation& c : conversations) {
    Seen& s = seen.emplace_back(Seen{c.number, c.name, {}});
    for (const SmsMessage& m : c.messages) s.texts.push_back(m.text);
  }
  const std::vector<Seen> expected = {
      {"900", "Банк", {"short-900"}},
      {"+7 (921) 123-45-67", "Иван", {"a-0600", "a-0630", "a-0700", "a-sent", "a-draft"}},
      {"0900", "", {"short-0900"}},
      {"MTS", "", {"alpha-MTS"}},
      {"mts", "", {"alpha-mts"}},
      {"1234567", "", {"seven-1", "seven-2"}},
      {"+380501234567", "", {"u1"}},
      {"", "", {"nobody"}},
  };
  ASSERT_EQ(seen.size(), expected.size());
  for (size_t k = 0; k < seen.size(); ++k) {
    EXPECT_EQ(seen[k].number, expected[k].number) << k;
    EXPECT_EQ(seen[k].name, expected[k].name) << k;
    EXPECT_EQ(seen[k].texts, expected[k].texts) << k;
  }
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "+7 (921) 123-45-67"), 1)
      << "each spelling is asked once, until one has a name";
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "8 921 123-45-67"), 0);
  EXPECT_TRUE(Conversations({}, [](const std::string&) { return std::string(); }).empty());
}

}  // namespace
}  // namespace quorix::sms
