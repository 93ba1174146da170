#pragma once

#include "link/CountedExchange.h"

namespace quorix {

// How a phonebook reading went: a backup of a reading with failures must not pass for a good one.
struct PhonebookReadOutcome {
  int RecordsRead = 0;       // record lines parsed
  int RecordsReported = 0;   // records the phone reported (ExpectedCount)
  ExchangeTally Exchanges;   // commands sent, and those whose reply failed
  bool Finished = true;      // ran to its end: not stopped by silence, a bad value or the user
  bool PhoneSilent = false;  // stopped because a reply was cut short
  bool Aborted = false;      // the user closed the progress window
  // How the P2K step failed, if it ran: the phone's file list did not all come, or the phone did
  // not come back on its serial link. The records read are not touched by it.
  bool PhoneFilesIncomplete = false;
  bool PhoneNotBack = false;

  bool HadFailures() const { return Exchanges.Failed > 0 || !Finished; }
};

}  // namespace quorix
