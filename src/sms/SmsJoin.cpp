#include "sms/SmsJoin.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace quorix::sms {

namespace {

using JoinKey = std::tuple<bool, std::string, int, int>;

JoinKey KeyOf(const SmsPart& part) {
  return {DirectionOf(part.status) == SmsDirection::Received, part.number, part.concat->reference,
          part.concat->total};
}

int SequenceOf(const SmsPart& part) {
  return part.concat ? part.concat->sequence : 0;
}

SmsMessage Joined(std::vector<SmsPart> parts) {
  std::stable_sort(parts.begin(), parts.end(), [](const SmsPart& a, const SmsPart& b) {
    return SequenceOf(a) < SequenceOf(b);
  });
  SmsMessage message;
  const SmsPart& first = parts.front();
  message.direction = DirectionOf(first.status);
  message.number = first.number;
  message.time = first.time;
  for (const SmsPart& part : parts) {
    if (part.status == 0) message.read = false;
    if (!part.decoded) message.decoded = false;
  }
  // What an undecoded part holds (8-bit data as hex, or nothing) is no text of the message.
  const auto textOf = [](const SmsPart& part) { return part.decoded ? part.text : std::string(); };
  if (!first.concat) {
    message.text = textOf(first);
  } else {
    size_t next = 0;
    for (int sequence = 1; sequence <= first.concat->total; ++sequence) {
      if (next < parts.size() && SequenceOf(parts[next]) == sequence) {
        message.text += textOf(parts[next++]);
      } else {
        message.text += "[…]";
        message.missingParts.push_back(sequence);
      }
    }
  }
  message.parts = std::move(parts);
  return message;
}

}  // namespace

std::vector<SmsMessage> JoinParts(std::vector<SmsPart> parts) {
  std::vector<std::vector<SmsPart>> groups;
  std::map<JoinKey, std::vector<size_t>> groupsOfKey;
  // A sequence met for the n-th time goes to its key's n-th group: each group holds a sequence
  // once, and the first group lacking it is found without a search.
  std::map<std::pair<JoinKey, int>, size_t> timesMet;
  for (SmsPart& part : parts) {
    if (!part.concat) {
      groups.emplace_back().push_back(std::move(part));
      continue;
    }
    JoinKey key = KeyOf(part);
    size_t& met = timesMet[{key, part.concat->sequence}];
    std::vector<size_t>& keyGroups = groupsOfKey[std::move(key)];
    if (met == keyGroups.size()) {
      keyGroups.push_back(groups.size());
      groups.emplace_back();
    }
    groups[keyGroups[met++]].push_back(std::move(part));
  }
  std::vector<SmsMessage> messages;
  messages.reserve(groups.size());
  for (std::vector<SmsPart>& group : groups) messages.push_back(Joined(std::move(group)));
  return messages;
}

}  // namespace quorix::sms
