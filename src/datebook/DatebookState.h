#pragma once

#include <vector>

#include "datebook/DatebookList.h"
#include "datebook/DatebookReadOutcome.h"
#include "datebook/DatebookTables.h"

namespace quorix {

// The datebook for a whole run: the table, the list LVCal it last read into, and how that reading
// went. A restore replaces the table but not the list, which keeps showing the last read.
struct DatebookState {
  DatebookTable DatebookRecords;
  std::vector<DatebookListRow> LVCal;
  DatebookReadOutcome LastReading;
};

}  // namespace quorix
