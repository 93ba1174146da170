#pragma once

#include <map>
#include <string>
#include <vector>

#include "link/AtExchange.h"

namespace quorix {

// Answers AT commands from canned phone lines, framed as an echoing phone's reply reaches the
// program: the echo and CR, each line as CR LF line CR LF, then CR LF "OK" CR (the final LF stays
// unread and starts the next reply).
class ScriptedPhone : public AtExchange {
 public:
  std::map<std::string, std::vector<std::string>> lines;
  std::vector<std::string> failing;     // commands answered with ERROR
  std::vector<std::string> unanswered;  // commands met by silence after the echo
  std::vector<std::string> sent;

  void SendATCommand(const std::string& command, std::string& reply) override {
    if (command.empty()) return;
    sent.push_back(command);
    reply = (leftover_ ? "\n" : "") + command + "\r";
    leftover_ = true;
    for (const std::string& u : unanswered) {
      if (u == command) return;
    }
    for (const std::string& f : failing) {
      if (f == command) {
        reply += "\r\nERROR";
        leftover_ = false;
        return;
      }
    }
    const auto it = lines.find(command);
    if (it != lines.end()) {
      for (const std::string& line : it->second) reply += "\r\n" + line + "\r\n";
    }
    reply += "\r\nOK\r";
  }

  int Count(const std::string& command) const {
    int n = 0;
    for (const std::string& c : sent) n += c == command;
    return n;
  }

 private:
  bool leftover_ = false;
};

}  // namespace quorix
