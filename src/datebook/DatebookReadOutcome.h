#pragma once

#include <string>

namespace quorix {

// How a datebook reading went: a backup of a reading with failures must not pass for a good one.
struct DatebookReadOutcome {
  int RecordsRead = 0;       // record lines taken
  int Requests = 0;          // commands sent
  int FailedRequests = 0;    // replies that ended in "ERROR" or were cut short
  bool Finished = true;      // ran to its end: not stopped by silence or a bad record number
  bool PhoneSilent = false;  // stopped because a reply was cut short
  std::string BadRecord;     // why the reply's records stopped being read; empty when they did not

  bool HadFailures() const { return FailedRequests > 0 || !Finished; }
};

}  // namespace quorix
