#pragma once

#include <string>

namespace quorix {

// One AT exchange with the phone: sends the command with CR LF and hands back every character
// received up to the final "OK" (and the character after it) or "ERROR", echo included. An empty
// command sends nothing and leaves reply as it was.
class AtExchange {
 public:
  virtual ~AtExchange() = default;
  virtual void SendATCommand(const std::string& command, std::string& reply) = 0;
};

}  // namespace quorix
