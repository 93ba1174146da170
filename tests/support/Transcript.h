#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace quorix::test {

// The command lines the emulated phone logged as received, from the last `since` on when given.
inline std::vector<std::string> ReceivedCommands(const std::string& transcript,
                                                 const std::string& since = "") {
  std::vector<std::string> commands;
  const std::string text = ReadBytes(transcript);
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const size_t at = text.find(" < ", start);
    if (at == std::string::npos || at >= end) continue;
    const std::string command = text.substr(at + 3, end - at - 3);
    if (command == since) commands.clear();
    commands.push_back(command);
  }
  return commands;
}

// The commands that read records from..to in blocks of size (the last cut at to), after the
// given head.
inline std::vector<std::string> WithReadBlocks(std::vector<std::string> head, int from, int to,
                                               int size) {
  for (int a = from; a <= to; a += size) {
    head.push_back("AT+MPBR=" + std::to_string(a) + "," +
                   std::to_string(std::min(a + size - 1, to)));
  }
  return head;
}

}  // namespace quorix::test
