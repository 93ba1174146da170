#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/TransferReport.h"
#include "datebook/DatebookTables.h"

namespace quorix {

constexpr size_t kPhoneEventTitleLength = 64;

struct CalendarExport {
  std::string Text;  // the iCalendar file, UTF-8, CR LF
  int Events = 0;
  TransferReport Report;  // records that could not be written, by record number
};

// Every used record as a VEVENT of an iCalendar (RFC 5545) file: SUMMARY, DTSTART in the phone's
// own local time (floating; a date for an untimed event), DURATION, an RRULE for the repeat code
// and a VALARM whose trigger is the alarm's distance from the start. DTSTAMP is nowSeconds.
CalendarExport DatebookICalendar(const DatebookTable& table, int64_t nowSeconds);

struct CalendarImport {
  int Events = 0;      // events in the file
  int Added = 0;       // records filled
  int Duplicates = 0;  // events the table held already
  TransferReport Report;
};

// Whether text parses as iCalendar at all.
bool IsICalendar(std::string_view text);

// Puts the events of the iCalendar text into the free records of the table, in the file's order.
// Times with a zone or in UTC become the local time of this computer. What the phone cannot hold
// is reported per event and the event goes in as near as it can: a recurrence other than the
// phone's six is written once, a title is cut to 64 characters and loses the characters the
// phone's table has not, an event that lasts days keeps its first. Events beyond the free records
// are counted in the report.
CalendarImport AddCalendarEvents(DatebookTable& table, std::string_view text);

}  // namespace quorix
