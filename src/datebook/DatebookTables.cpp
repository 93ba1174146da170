#include "datebook/DatebookTables.h"

#include <algorithm>

namespace quorix {

int UsedDatebookRecords(const DatebookTable& table) {
  return static_cast<int>(std::count_if(table.begin(), table.end(), DatebookRecordUsed));
}

}  // namespace quorix
