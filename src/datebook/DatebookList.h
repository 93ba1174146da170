#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/ListColumn.h"
#include "datebook/DatebookTables.h"

namespace quorix {

// The 10 columns of the datebook list LVCal: "#" and the nine fields of a record.
const std::vector<ListColumn>& DatebookListColumns();

// A row of LVCal: caption = the record number; the description as plain text, then fields 2..9
// as held.
struct DatebookListRow {
  std::string Caption;
  std::array<std::string, kDatebookFields> Cells;
};

DatebookListRow DatebookRow(int number, const DatebookRecord& record);

// Puts the row into the list: it replaces the row of the same record, else it is appended.
void ShowDatebookRow(std::vector<DatebookListRow>& list, DatebookListRow row);

}  // namespace quorix
