#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sms/SmsMessage.h"

namespace quorix::sms {

// The messages exchanged with one number.
struct SmsConversation {
  std::string number;                // as the last of its messages writes it
  std::string name;                  // what the phonebook calls it; empty when nothing
  std::vector<SmsMessage> messages;  // oldest first
};

// The messages joined by number: "+7 921 123-45-67", "89211234567" and "+79211234567" are one
// number, since numbers of seven digits or more match on their last ten ("8" is the Russian trunk
// prefix, "+7" the country's); shorter numbers and alphanumeric senders match only as written.
// Within a conversation the timed messages come by their moment, then those without a time (sent
// messages and drafts carry none) in the order of the listing: a phone's indexes are reused slots
// and say nothing of when, so nothing better places them. Conversations come by their newest
// timed message, newest first; those without any time follow in the order of the listing.
// nameOf gives the phonebook's name for a number, or an empty one; each spelling a conversation
// has is asked, the last message's first, until one has a name.
// What two spellings of one number share, as Conversations matches them.
std::string SmsNumberKey(const std::string& number);

std::vector<SmsConversation> Conversations(
    const std::vector<SmsMessage>& messages,
    const std::function<std::string(const std::string& number)>& nameOf);

}  // namespace quorix::sms
