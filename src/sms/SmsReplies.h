#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sms/SmsMessage.h"

namespace quorix::sms {

// Pure readers of the message commands' replies: no port, no user.

// The stores a reading may select, from "+CPMS: ("MT","ME",…),(…),(…)": the first list. Empty
// when the reply names none.
std::vector<std::string> MessageStoresFromReply(const std::string& reply);

// Which of the offered stores to read so that every message comes once: the phone's memory and
// the SIM where the phone names them, else both together ("MT"), else the folders it has.
std::vector<std::string> StoresToRead(const std::vector<std::string>& offered);

// "used,total" of "+CPMS: used,total[,…]" after a store is selected.
struct StoreUsage {
  int used = 0;
  int total = 0;
};
std::optional<StoreUsage> StoreUsageFromReply(const std::string& reply);

// The parts of an "AT+CMGL=4" listing in PDU mode: each "+CMGL: index,stat,[alpha],length" line
// and the PDU on the line after it. A header that cannot be read, or has no PDU after it, is
// told in badLines (the parts around it are kept).
struct ListedParts {
  std::vector<SmsPart> parts;
  std::vector<std::string> badLines;
};
ListedParts ListedPartsFromReply(const std::string& reply, const std::string& store);

}  // namespace quorix::sms
