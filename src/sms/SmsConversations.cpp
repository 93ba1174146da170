#include "sms/SmsConversations.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "sms/SmsTimeText.h"

namespace quorix::sms {

namespace {

constexpr size_t kShortestMatched = 7;
constexpr size_t kMatchedDigits = 10;

std::optional<int64_t> Moment(const SmsMessage& m) {
  if (!m.time || !IsCalendarTime(*m.time)) return std::nullopt;
  return EpochSeconds(*m.time);
}

// Timed ones by moment, the untimed after them, each kind keeping the listing's order.
bool Earlier(const SmsMessage& a, const SmsMessage& b) {
  const auto ma = Moment(a);
  const auto mb = Moment(b);
  if (ma && mb) return *ma < *mb;
  return ma.has_value() && !mb.has_value();
}

std::optional<int64_t> Newest(const SmsConversation& c) {
  std::optional<int64_t> newest;
  for (const SmsMessage& m : c.messages) {
    const auto moment = Moment(m);
    if (moment && (!newest || *moment > *newest)) newest = moment;
  }
  return newest;
}

std::string NameOf(const SmsConversation& c,
                   const std::function<std::string(const std::string&)>& nameOf) {
  std::vector<std::string> asked;
  for (auto m = c.messages.rbegin(); m != c.messages.rend(); ++m) {
    if (std::find(asked.begin(), asked.end(), m->number) != asked.end()) continue;
    asked.push_back(m->number);
    std::string name = nameOf(m->number);
    if (!name.empty()) return name;
  }
  return {};
}

}  // namespace

std::string SmsNumberKey(const std::string& number) {
  std::string digits;
  for (size_t i = 0; i < number.size(); ++i) {
    const char c = number[i];
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (!(c == '+' && i == 0) && c != ' ' && c != '-' && c != '(' && c != ')') {
      return "=" + number;
    }
  }
  if (digits.size() < kShortestMatched) return "=" + number;
  return "#" + digits.substr(digits.size() - std::min(digits.size(), kMatchedDigits));
}

std::vector<SmsConversation> Conversations(
    const std::vector<SmsMessage>& messages,
    const std::function<std::string(const std::string& number)>& nameOf) {
  std::vector<SmsConversation> conversations;
  std::map<std::string, size_t> byKey;
  for (const SmsMessage& m : messages) {
    const auto [at, added] = byKey.try_emplace(SmsNumberKey(m.number), conversations.size());
    if (added) conversations.emplace_back();
    conversations[at->second].messages.push_back(m);
  }
  std::vector<std::pair<std::optional<int64_t>, SmsConversation*>> order;
  for (SmsConversation& c : conversations) {
    std::stable_sort(c.messages.begin(), c.messages.end(), Earlier);
    c.number = c.messages.back().number;
    c.name = NameOf(c, nameOf);
    order.emplace_back(Newest(c), &c);
  }
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    if (a.first && b.first) return *a.first > *b.first;
    return a.first.has_value() && !b.first.has_value();
  });
  std::vector<SmsConversation> sorted;
  sorted.reserve(order.size());
  for (const auto& [newest, c] : order) sorted.push_back(std::move(*c));
  return sorted;
}

}  // namespace quorix::sms
