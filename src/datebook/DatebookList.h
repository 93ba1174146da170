#pragma once

#include <vector>

#include "base/ListColumn.h"

namespace quorix {

// The 10 columns of the datebook list LVCal: "#" and the nine fields of a record.
const std::vector<ListColumn>& DatebookListColumns();

}  // namespace quorix
