#pragma once

#include "link/CountedExchange.h"

#include <string>

namespace quorix {

// How a datebook reading went: a backup of a reading with failures must not pass for a good one.
struct DatebookReadOutcome {
  int RecordsRead = 0;       // record lines taken
  ExchangeTally Exchanges;   // commands sent, and those whose reply failed
  bool Finished = true;      // ran to its end: not stopped by silence or a bad record number
  bool PhoneSilent = false;  // stopped because a reply was cut short
  std::string BadRecord;     // why the reply's records stopped being read; empty when they did not

  bool HadFailures() const { return Exchanges.Failed > 0 || !Finished; }
};

}  // namespace quorix
