#pragma once

#include <vector>

#include "sms/SmsMessage.h"

namespace quorix::sms {

// Decoded parts as whole messages. A part without a concatenation header is a message of its own;
// the others join by direction (received or not), number, reference and total, in sequence order.
// No part is dropped: a sequence met again starts another message of the same key, and a missing
// one stands as "[…]" in the text. Messages come in the order of their first part in `parts`.
std::vector<SmsMessage> JoinParts(std::vector<SmsPart> parts);

}  // namespace quorix::sms
