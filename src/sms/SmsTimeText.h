#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sms/SmsMessage.h"

namespace quorix::sms {

// Whether the fields name a moment: a four-digit year, month 1..12, day 1..31, hour 0..23,
// minute and second 0..59, and a zone the network's seven bits can give (±79 quarters). A time
// outside this is damage, and counts as no time.
bool IsCalendarTime(const SmsTime& time);

// ISO 8601 in the time's own zone: "2007-03-14T09:30:00+03:00".
std::string IsoTimeText(const SmsTime& time);

// ISO 8601 in UTC: "2024-05-01T12:00:00Z".
std::string IsoUtcText(int64_t epochSeconds);

// What the two above write, "Z" read as zone +00:00; nothing for any other text or for a time
// IsCalendarTime refuses.
std::optional<SmsTime> ParseIsoTime(std::string_view text);

// The moment as seconds since 1970-01-01 UTC, and back (zone 0).
int64_t EpochSeconds(const SmsTime& time);
SmsTime UtcTime(int64_t epochSeconds);

// "14.03.2007 09:30", as the time's own zone shows it.
std::string DayMinuteText(const SmsTime& time);

}  // namespace quorix::sms
