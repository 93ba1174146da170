#pragma once

#include <string>
#include <vector>

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

}  // namespace quorix::sms::test
