#pragma once

#include <stdexcept>
#include <string>

#include "base/Shell.h"
#include "datebook/DatebookCalendar.h"
#include "datebook/DatebookSession.h"

namespace quorix {

class Clock;
class PhoneConnection;

// An iCalendar file could not be written or read, or is no iCalendar. The text is code page 1251.
struct ICalendarFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The dialogs of the iCalendar commands: "iCalendar (*.ics)|*.ics", extension "ics".
FileChoice ICalendarFileChoice(const std::string& title);

// Writes the used records as iCalendar to path (UTF-8) through a temporary file that replaces the
// target only when complete, DTSTAMP from the clock. ICalendarFileError when it cannot be written.
CalendarExport SaveICalendarFile(const DatebookTable& table, Clock& clock, const std::string& path);

// Adds the events of the file at path to the free records of the table. ICalendarFileError for a
// file that cannot be read, is larger than 64 MB or is no iCalendar; the table is then unchanged.
CalendarImport ImportICalendarFile(DatebookTable& table, const std::string& path);

// What the export could not write, or the import could not carry, in one text.
std::string ICalendarExportMessage(const CalendarExport& outcome, size_t limit);
std::string ICalendarImportMessage(const CalendarImport& outcome, size_t limit);

// "Экспорт в iCalendar…": asks for the file and writes the table; the status bar tells how many
// events went, a message what did not.
void ExportICalendarClick(DatebookSession app, Shell& shell, Clock& clock);

// "Импорт из iCalendar…": needs a connected phone; asks for the file, adds its events to the free
// records of the table and, after one message with what the phone cannot hold, writes the table
// into the phone as the datebook restore does. With nothing read first the user is asked, since
// the events then take the phone's records from 0.
void ImportICalendarClick(DatebookSession app, Shell& shell, PhoneConnection& phone, Clock& clock);

}  // namespace quorix
