#pragma once

#include <array>
#include <string>

namespace quorix {

// The datebook table DatebookRecords: the phone's records 0..499 by its own numbering, nine text
// fields each, as the phone sends them. The description is UCS2 hex text; the other eight fields
// are opaque: shown, saved and sent back, never interpreted.
constexpr int kDatebookRecords = 500;
constexpr int kDatebookFields = 9;

enum DatebookField : int {
  EventDescription = 0,
  EventRepeat,
  EventField3,
  EventStart,
  EventDate,
  EventDuration,
  EventAlarm,
  EventField8,
  EventField9,
};

using DatebookRecord = std::array<std::string, kDatebookFields>;
using DatebookTable = std::array<DatebookRecord, kDatebookRecords>;

// A record is in use when it has a description; only used records are saved and written.
inline bool DatebookRecordUsed(const DatebookRecord& record) {
  return !record[EventDescription].empty();
}

int UsedDatebookRecords(const DatebookTable& table);

}  // namespace quorix
