#pragma once

#include <array>
#include <functional>
#include <string>

#include "phonebook/PhonebookTables.h"

namespace quorix {

// The phone's replies to the phonebook reading commands, read from their text alone. Values are
// the characters between commas exactly as they stand (quotes stay, nothing is unescaped).

// A "+MPGR:" line of the reply to AT+MPGR=1,30: the category number and its four values (name,
// melody, third value, light). A comma or a carriage return closes a value; the line ends when
// the fourth value is closed or the reply ends.
struct CategoryLine {
  int Index = 0;
  std::array<std::string, 4> Values;
};

// Hands every line with an index 1..30 to onLine, in reply order, until onLine returns false
// (false then). ConversionError for an index that is not a number; the lines before it have
// been handed over.
bool ScanCategoryLines(const std::string& reply, const std::function<bool(CategoryLine&&)>& onLine);

// A "+MPBR:" line of a reply to AT+MPBR: the record's index and its values 1..15, or 1..23 when
// advanced, in the field order of the entry table. A carriage return ends the line.
struct RecordLine {
  int Index = 0;
  std::array<std::string, 23> Values;
};

// Hands every line with an index 1..1250 to onLine, in reply order. ConversionError as above.
void ScanRecordLines(const std::string& reply, bool advanced,
                     const std::function<void(RecordLine&&)>& onLine);

// The memory's limits in the reply to AT+CPBR=? ("+CPBR: (501-750),40,15": range, number length,
// name length) or to AT+MPBR=? ("+MPBR: 1-1000,40,24,..."); not Known() when the reply holds no
// such line or an implausible one.
MemoryLimits ParseCpbrLimits(const std::string& reply);
MemoryLimits ParseMpbrLimits(const std::string& reply);

// The category count N in the reply to AT+MPGR=? ("+MPGR: (1-N)"), at most the 30 the tables
// hold; 0 when there is none.
int ParseCategoryCount(const std::string& reply);

// The record count in the reply to AT+MPBSC=?: the text after the first comma up to the line's
// end. ConversionError when that is not a number.
int ParseCountReply(const std::string& reply);

}  // namespace quorix
