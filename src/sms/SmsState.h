#pragma once

#include <cstdint>
#include <vector>

#include "sms/SmsMessage.h"
#include "sms/SmsReadOutcome.h"

namespace quorix::sms {

// The messages the program holds: the last reading's or a backup's.
struct SmsState {
  std::vector<SmsMessage> Messages;
  int64_t ReadAt = 0;  // when the phone was read, seconds since 1970
  SmsReadOutcome LastReading;
};

}  // namespace quorix::sms
