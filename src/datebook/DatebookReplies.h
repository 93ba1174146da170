#pragma once

#include <functional>
#include <optional>
#include <string>

#include "datebook/DatebookTables.h"

namespace quorix {

// A "+MDBR:" line of the reply to AT+MDBR: the record number and its nine fields exactly as they
// stand between the commas. A comma closes a field; the line ends at its CR, so the fields of a
// short line that are not reached stay empty, or when a comma closes the ninth field, so the
// fields a longer record carries beyond nine are not taken.
struct DatebookLine {
  int Index = 0;
  DatebookRecord Fields;
};

// Hands every record line of the reply to onLine, in reply order. Stops at the first line whose
// record number is no decimal number or lies outside 0..499 and returns why; nothing when every
// line was handed over.
std::optional<std::string> ScanDatebookLines(const std::string& reply,
                                             const std::function<void(DatebookLine&&)>& onLine);

}  // namespace quorix
