#pragma once

#include <vector>

#include "sms/SmsMessage.h"
#include "sms/SmsReadOutcome.h"

namespace quorix {
class AtExchange;
class Shell;
}  // namespace quorix

namespace quorix::sms {

// Lists every message of the connected phone in PDU mode, store by store (the phone's memory and
// the SIM, or what it offers instead), into parts in the listing's order. stop is looked at
// between stores; a reply cut short ends the reading with what came whole.
SmsReadOutcome ReadSmsParts(Shell& shell, AtExchange& at, const bool& stop,
                            std::vector<SmsPart>& parts);

}  // namespace quorix::sms
