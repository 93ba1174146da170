#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorix::sms {

// The GSM 7-bit default alphabet, the one most SMS texts and alphanumeric senders are written in.

// The septets packed in octets, the first one starting after fillBits bits of the first octet (a
// user data header is followed by fill up to a septet boundary). At most count septets, fewer
// when the octets end first.
std::vector<uint8_t> UnpackSeptets(std::span<const uint8_t> octets, size_t fillBits, size_t count);

// Septets as UTF-8, escape sequences read through the extension table (€ [ ] { } \ ~ ^ | and form
// feed). An escape the table lacks stands for the default table's character, as 23.038 says.
std::string Gsm7ToUtf8(std::span<const uint8_t> septets);

}  // namespace quorix::sms
