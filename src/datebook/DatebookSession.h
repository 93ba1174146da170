#pragma once

#include "base/SessionFlags.h"
#include "datebook/DatebookState.h"
#include "link/LinkState.h"

namespace quorix {

// What the datebook's commands work on, lent by the program's state for one command.
struct DatebookSession {
  SessionFlags& flags;
  LinkState& link;
  DatebookState& datebook;
};

}  // namespace quorix
