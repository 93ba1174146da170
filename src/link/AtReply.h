#pragma once

#include <string>

namespace quorix {

// How a reply text collected from the phone ends. Pure functions over the text: no port, no user.
//
// A final result code counts only as a line of its own, at the start of the reply or right after
// a line break: "OK" followed by its CR, or "ERROR" (also as the end of "+CME ERROR" and
// "+CMS ERROR"), where collection stops right after the letters. A text that holds "OK" or
// "ERROR" (an e-mail address such as BOOKS@MAIL.RU) ends nothing. A reply of exactly "OK" is
// complete too.

// True when the reply ended as the phone ends one: the final "OK" and its CR, or "ERROR".
bool ReplyComplete(const std::string& reply);

// The reply from the echo of command on: what stood before it (noise bytes such as the FF FF an
// SLVR L7 sends, a late unsolicited line such as "+MBAN: ...") is dropped. The reply as it is when
// it holds no echo.
std::string FromEcho(const std::string& reply, const std::string& command);

// True when the reply ended with a final "ERROR".
bool ReplyEndedInError(const std::string& reply);

// Reply lines of the Motorola commands begin with a six-character tag ("+MPBR:") that a reader
// looks for anywhere in the reply; the index follows after one blank, up to the next comma.

// True when the tag stands at position p of the reply.
bool TagAt(const std::string& reply, size_t p, const std::string& tag);

// The index after the tag at p, read as a decimal number; p moves past the comma that ends it
// (to the end of the reply when none does). ConversionError when it is no number.
int ReadTaggedIndex(const std::string& reply, size_t& p);

}  // namespace quorix
