#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/ListColumn.h"
#include "datebook/DatebookTables.h"

namespace quorix {

// The 10 columns of the datebook list LVCal: "#" and the nine fields of a record, named by what the
// phone sends in them.
std::vector<ListColumn> DatebookListColumns();

// A row of LVCal: caption = the record number, then the fields as a person reads them: the title,
// the flags as "Да"/"Нет", "10:00", "24.02.2006", "60 мин", the alarm only when it is on (the
// phone's empty "00-00-2000" shows nothing) and the repeat in words.
struct DatebookListRow {
  std::string Caption;
  std::array<std::string, kDatebookFields> Cells;
};

DatebookListRow DatebookRow(int number, const DatebookRecord& record);

// Puts the row into the list: it replaces the row of the same record, else it is appended.
void ShowDatebookRow(std::vector<DatebookListRow>& list, DatebookListRow row);

// The list of every used record of the table, as after a restore or an import.
void RebuildDatebookList(std::vector<DatebookListRow>& list, const DatebookTable& table);

}  // namespace quorix
