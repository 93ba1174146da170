#pragma once

#include <stdexcept>
#include <string>

namespace quorix {

struct PhonebookSession;
class Clock;
class Shell;

// A phonebook file could not be written or read, or a line of it is malformed. The text names the
// file or the line.
struct PhonebookFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// "Motorola phonebook file, it was created with Quorix ": line 1 starts with it.
const std::string& PhonebookFileHeader();

// The file's whole text: header with dateTime, mode line, category lines, column header line and
// one line for every used entry row 1..1250; CR LF line ends, UTF-8 (the file's code page is
// the saving's business). Categories and entries marked removed are left out.
std::string PhonebookFileText(const PhonebookSession& app, const std::string& dateTime);

// Writes the file at path, dated by the clock, through a temporary file beside it that replaces
// the target only when complete and on disk, so a failed save leaves an earlier file as it was.
// In code page 1251, or as UTF-8 behind a byte order mark when the book holds a character the code
// page lacks: then true. PhonebookFileError when anything fails.
bool SavePhonebookFile(const PhonebookSession& app, Clock& clock, const std::string& path);

// Replaces the tables and views with the file at path (either form) and marks every restored row
// for the next upload. The whole file is read and checked first: PhonebookFileError for a file that
// cannot be read, has the wrong header or a malformed line ("Line N: ..."), and then nothing has
// changed (tables, marks, views, the mode setting, the flags, the title). Then tells how many
// categories and entries it took and how many lines it skipped: in the status bar and the popup,
// or in a warning when a line was skipped or no entry came.
void RestorePhonebookFile(PhonebookSession& app, Shell& shell, const std::string& path);

// One entry line of a basic or an advanced file into its row and a new LV row; the number loses
// its leading apostrophe and gets its double quotes back. A line of 20
// characters or fewer is ignored. ConversionError or PhonebookFileError for a row number outside
// 1..1250, a type that is not a number or a category that is not a number 1..30; the line then
// changes nothing. True when the line gave an entry.
bool ParseEntryLine(PhonebookSession& app, const std::string& line);
bool ParseAdvancedEntryLine(PhonebookSession& app, Shell& shell, const std::string& line);

// Save (ToolButton11Click): needs a connected phone and asks for the file. Failures are reported
// through the shell under the caption "ERROR".
void ToolButton11Click(PhonebookSession& app, Shell& shell, Clock& clock);

// Restore (ToolButton12Click): asks for the file; failures are reported through the shell under
// the caption "ERROR".
void ToolButton12Click(PhonebookSession& app, Shell& shell);

}  // namespace quorix
