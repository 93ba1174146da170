#pragma once

#include <iosfwd>
#include <string>

#include "phonebook/PhonebookViews.h"

namespace quorix::cli {

// A list cell (code page 1251) as one UTF-8 field of a tab-separated line: a tab or line break
// inside it becomes a blank, so it cannot split the row.
std::string TableField(const std::string& cell);

// The category list LVCat (number, name, melody, light), a blank line, then the entry list LV
// (index and its 15 cells), each row a tab-separated line in list order, without header lines.
void PrintPhonebookTables(const PhonebookViews& views, std::ostream& out);

}  // namespace quorix::cli
