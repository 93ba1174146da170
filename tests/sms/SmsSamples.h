#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sms/SmsMessage.h"

namespace quorix::sms::test {

inline SmsPart Part(const std::string& store, int index, int status, const std::string& pdu) {
  SmsPart part;
  part.store = store;
  part.index = index;
  part.status = status;
  part.pdu = pdu;
  return part;
}

inline SmsMessage Message(SmsDirection direction, const std::string& number,
                          std::optional<SmsTime> time, const std::string& text) {
  SmsMessage m;
  m.direction = direction;
  m.number = number;
  m.time = time;
  m.text = text;
  const int status = direction == SmsDirection::Sent ? 3 : direction == SmsDirection::Draft ? 2 : 1;
  m.parts.push_back(Part("ME", 1, status, "0791"));
  m.parts.back().decoded = true;
  m.parts.back().text = text;
  return m;
}

inline SmsTime At(int year, int month, int day, int hour, int minute, int zoneQuarters = 12) {
  return {year, month, day, hour, minute, 0, zoneQuarters};
}

// What the backup keeps: every message-level field and each part's listing.
inline void ExpectKept(const SmsMessage& read, const SmsMessage& written) {
  EXPECT_EQ(read.direction, written.direction);
  EXPECT_EQ(read.read, written.read);
  EXPECT_EQ(read.number, written.number);
  EXPECT_EQ(read.time, written.time);
  EXPECT_EQ(read.text, written.text);
  EXPECT_EQ(read.missingParts, written.missingParts);
  EXPECT_EQ(read.decoded, written.decoded);
  ASSERT_EQ(read.parts.size(), written.parts.size());
  for (size_t k = 0; k < read.parts.size(); ++k) {
    EXPECT_EQ(read.parts[k].store, written.parts[k].store);
    EXPECT_EQ(read.parts[k].index, written.parts[k].index);
    EXPECT_EQ(read.parts[k].status, written.parts[k].status);
    EXPECT_EQ(read.parts[k].pdu, written.parts[k].pdu);
  }
}

}  // namespace quorix::sms::test
