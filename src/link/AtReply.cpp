#include "link/AtReply.h"

#include <algorithm>

#include "base/Conversion.h"

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

std::string FromEcho(const std::string& reply, const std::string& command) {
  const size_t echo = reply.find(command + "\r");
  return echo == std::string::npos ? reply : reply.substr(echo);
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

bool TagAt(const std::string& reply, size_t p, const std::string& tag) {
  return reply.compare(p, tag.size(), tag) == 0;
}

int ReadTaggedIndex(const std::string& reply, size_t& p) {
  constexpr size_t kTagLength = 6;
  const size_t start = std::min(p + kTagLength + 1, reply.size());
  const size_t comma = reply.find(',', start);
  const std::string text =
      reply.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
  p = comma == std::string::npos ? reply.size() : comma + 1;
  return StrToInt(text);
}

}  // namespace quorix
