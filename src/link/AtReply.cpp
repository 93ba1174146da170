#include "link/AtReply.h"

namespace quorix {

namespace {

bool AtLineStart(const std::string& text, size_t position) {
  return position == 0 || text[position - 1] == '\n' || text[position - 1] == '\r';
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool ReplyEndedInError(const std::string& reply) {
  for (const char* code : {"ERROR", "+CME ERROR", "+CMS ERROR"}) {
    const std::string final = code;
    if (EndsWith(reply, final) && AtLineStart(reply, reply.size() - final.size())) return true;
  }
  return false;
}

bool ReplyComplete(const std::string& reply) {
  if (reply == "OK") return true;
  const size_t n = reply.size();
  if (n >= 3 && reply[n - 1] == '\r' && reply.compare(n - 3, 2, "OK") == 0 &&
      AtLineStart(reply, n - 3)) {
    return true;
  }
  return ReplyEndedInError(reply);
}

}  // namespace quorix
