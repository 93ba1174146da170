#include "sms/SmsTimeText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace quorix::sms {

namespace {

constexpr int kWidestZone = 79;

std::string Zone(int quarters) {
  char text[24];
  const int q = std::abs(quarters);
  std::snprintf(text, sizeof text, "%c%02d:%02d", quarters < 0 ? '-' : '+', q / 4, q % 4 * 15);
  return text;
}

// The number of `count` digits at text[at], or -1 when any of them is no digit.
int Digits(std::string_view text, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

bool IsCalendarTime(const SmsTime& t) {
  return t.year >= 0 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= 31 && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
         t.second >= 0 && t.second <= 59 && std::abs(t.zoneQuarters) <= kWidestZone;
}

std::string IsoTimeText(const SmsTime& t) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text + Zone(t.zoneQuarters);
}

std::string IsoUtcText(int64_t epochSeconds) {
  const std::string text = IsoTimeText(UtcTime(epochSeconds));
  return text.substr(0, text.size() - Zone(0).size()) + "Z";
}

std::optional<SmsTime> ParseIsoTime(std::string_view text) {
  const bool utc = text.size() == 20 && text[19] == 'Z';
  if (!utc && text.size() != 25) return std::nullopt;
  if (text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  SmsTime time{Digits(text, 0, 4),  Digits(text, 5, 2),  Digits(text, 8, 2),
               Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2)};
  if (!utc) {
    const int hours = Digits(text, 20, 2);
    const int minutes = Digits(text, 23, 2);
    if ((text[19] != '+' && text[19] != '-') || text[22] != ':' || hours < 0 || minutes < 0 ||
        minutes % 15 != 0) {
      return std::nullopt;
    }
    time.zoneQuarters = (hours * 4 + minutes / 15) * (text[19] == '-' ? -1 : 1);
  }
  if (!IsCalendarTime(time)) return std::nullopt;
  return time;
}

int64_t EpochSeconds(const SmsTime& t) {
  using namespace std::chrono;
  // A day past the month's end (31 February) counts on into the next month.
  const sys_days day =
      sys_days(year(t.year) / month(static_cast<unsigned>(t.month)) / 1) + days(t.day - 1);
  return day.time_since_epoch().count() * 86400 + t.hour * 3600 + t.minute * 60 + t.second -
         t.zoneQuarters * 900;
}

SmsTime UtcTime(int64_t epochSeconds) {
  using namespace std::chrono;
  const sys_seconds moment{seconds(epochSeconds)};
  const sys_days day = floor<days>(moment);
  const year_month_day date(day);
  const hh_mm_ss clock(moment - day);
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(clock.hours().count()),
          static_cast<int>(clock.minutes().count()),
          static_cast<int>(clock.seconds().count())};
}

std::string DayMinuteText(const SmsTime& t) {
  char text[80];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d", t.day, t.month, t.year, t.hour,
                t.minute);
  return text;
}

}  // namespace quorix::sms
