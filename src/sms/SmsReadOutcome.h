#pragma once

#include <string>
#include <vector>

#include "link/CountedExchange.h"

namespace quorix::sms {

// How a reading of the messages went: a backup of a reading with failures must not pass for a
// good one.
struct SmsReadOutcome {
  int PartsRead = 0;
  std::vector<std::string> Stores;    // the stores listed, in their order
  std::vector<std::string> BadLines;  // listing lines that could not be read
  ExchangeTally Exchanges;
  bool Finished = false;     // every store listed to its end
  bool PhoneSilent = false;  // stopped because a reply was cut short
  bool Stopped = false;      // the user closed the progress window
  bool NoPduMode = false;    // the phone refused PDU mode: nothing could be listed

  bool HadFailures() const { return Exchanges.Failed > 0 || !Finished || !BadLines.empty(); }
};

}  // namespace quorix::sms
