#pragma once

#include "sms/SmsMessage.h"

namespace quorix::sms {

// Reads part.pdu (the hex of AT+CMGL in PDU mode, service centre first) into the part's decoded
// fields, replacing what they held. The hex comes from the phone and may be anything: a part that
// is no readable text keeps decoded false and a problem, with whatever fields could be read.
void DecodePart(SmsPart& part);

}  // namespace quorix::sms
