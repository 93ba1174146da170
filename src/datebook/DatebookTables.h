#pragma once

#include <array>
#include <string>

namespace quorix {

// The datebook table DatebookRecords: the phone's records 0..499 by its own numbering, nine text
// fields each, as the phone sends them and gets them back. The E398/V3 generation sends the title
// (UCS2 hex text), the timed flag, the alarm flag, the start time "hh:mm", the start date
// "mm-dd-yyyy", the duration in minutes, the alarm time and date, and the repeat code (0 none,
// 1 daily, 2 weekly, 3 monthly by date, 4 monthly by weekday, 5 yearly); times and dates travel in
// double quotes.
constexpr int kDatebookRecords = 500;
constexpr int kDatebookFields = 9;

enum DatebookField : int {
  EventDescription = 0,
  EventTimedFlag,
  EventAlarmFlag,
  EventStart,
  EventDate,
  EventDuration,
  EventAlarmTime,
  EventAlarmDate,
  EventRepeat,
};

using DatebookRecord = std::array<std::string, kDatebookFields>;
using DatebookTable = std::array<DatebookRecord, kDatebookRecords>;

// A record is in use when it has a description; only used records are saved and written.
inline bool DatebookRecordUsed(const DatebookRecord& record) {
  return !record[EventDescription].empty();
}

int UsedDatebookRecords(const DatebookTable& table);

}  // namespace quorix
