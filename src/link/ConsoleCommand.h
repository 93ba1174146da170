#pragma once

#include <string>

namespace quorix {

class AtExchange;
class Shell;

// The AT console's send: the command goes out exactly as typed and the reply, cut at its first
// NUL character, is appended to the log. The caller has made sure a phone is connected.
void SendConsoleCommand(AtExchange& at, Shell& shell, const std::string& command);

}  // namespace quorix
