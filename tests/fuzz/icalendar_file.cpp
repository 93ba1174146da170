// The iCalendar reader and the import of its events into the datebook's free records.
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "datebook/DatebookCalendar.h"
#include "datebook/ICalendarFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = quorix::fuzz::Text(data, size);
  if (!quorix::IsICalendar(text)) return 0;
  quorix::DatebookTable table;
  quorix::ICalendarImportMessage(quorix::AddCalendarEvents(table, text), 10);
  return 0;
}
