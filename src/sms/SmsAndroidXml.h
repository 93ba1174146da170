#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sms/SmsMessage.h"

namespace quorix::sms {

struct SmsAndroidXml {
  std::string text;
  int undecoded = 0;  // messages the decoder could not read, written with a placeholder body
  int replaced = 0;   // characters XML 1.0 cannot hold (controls, broken UTF-8), written as U+FFFD
};

// The messages as the XML the Android SMS backup apps import: one <sms> each, type 1 received,
// 2 sent, 3 draft, date in milliseconds since 1970 from the time and its zone, or readingTime
// (seconds since 1970) for a message without a time. An undecoded message is not left out, so
// that the export counts as many as the phone held: its body is "[Не удалось прочитать: why]"
// and what text there is. contact_name is nameOf's name, "(Unknown)" when it gives none.
SmsAndroidXml AndroidXml(const std::vector<SmsMessage>& messages,
                         const std::function<std::string(const std::string& number)>& nameOf,
                         int64_t readingTime);

// Writes that XML whole or not at all; SmsFileError when it cannot.
SmsAndroidXml SaveAndroidXml(const std::string& path, const std::vector<SmsMessage>& messages,
                             const std::function<std::string(const std::string& number)>& nameOf,
                             int64_t readingTime);

}  // namespace quorix::sms
