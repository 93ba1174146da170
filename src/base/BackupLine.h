#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix {

// The backup files separate their fields by ";" with no quoting, which a text of the phone may
// hold. A text field that holds a ";" (or starts with a double quote) is written between double
// quotes, a double quote in it doubled. Files written before hold no such field: a ";" inside a
// field shifted every field after it, so a field read as quoted must hold a ";" or a doubled
// quote; any other field, one beginning with a quote included, reads as it stands.
std::string BackupTextField(const std::string& text);

// Splits line into at most maxFields fields; the separator after the last one ends the line.
// quotable(k) tells whether field k (from 0) is a text field that may be quoted; extraSeparator,
// when not 0, separates fields as ";" does.
std::vector<std::string> SplitBackupLine(std::string_view line, size_t maxFields,
                                         const std::function<bool(size_t)>& quotable,
                                         char extraSeparator = 0);

}  // namespace quorix
