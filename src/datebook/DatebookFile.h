#pragma once

#include <stdexcept>
#include <string>

#include "datebook/DatebookTables.h"

namespace quorix {

class Clock;

// A datebook file could not be written or read, or a line of it is malformed. The text names the
// file or the line.
struct DatebookFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// "Motorola datebook file, it was created with Quorix ": line 1 starts with it.
const std::string& DatebookFileHeader();

// The file's whole text: the header with dateTime, then for every used record in ascending order
// its number, its description as plain text and fields 2..9 as held, separated by ";"; CR LF line
// ends, UTF-8 (the file's code page is the saving's business).
std::string DatebookFileText(const DatebookTable& table, const std::string& dateTime);

// Writes the file at path, dated by the clock, through a temporary file beside it that replaces
// the target only when complete and on disk, so a failed save leaves an earlier file as it was.
// In code page 1251, or as UTF-8 behind a byte order mark when a description holds a character
// the code page lacks: then true. DatebookFileError when anything fails.
bool SaveDatebookFile(const DatebookTable& table, Clock& clock, const std::string& path);

// The records of the file at path (either form), descriptions as UCS2 hex text, as a reading holds
// them. DatebookFileError for a file that cannot be read, has the wrong header or a malformed line
// ("Line N: ...").
DatebookTable ReadDatebookFile(const std::string& path);

// One body line into the table: the number before the first ";" selects the record (0..499),
// which the line replaces. The last eight fields are taken from the end of the line and the
// description is everything between the first ";" and them, so a description holding ";" keeps
// it; a line with fewer fields fills them from the left. An empty line is skipped.
// DatebookFileError or ConversionError for a bad number or a line holding a CR, which would end
// the phone's command early.
void ParseDatebookLine(DatebookTable& table, const std::string& line);

}  // namespace quorix
