#pragma once

#include <functional>
#include <string>

#include "support/SilentShell.h"

namespace quorix::bench {

// Nobody watches a benchmark: a message box would only mean a failed exchange, which is counted.
// The events it lets run are whatever onEvents does (the serial polling tick, as in the program).
class QuietShell final : public test::SilentShell {
 public:
  int messages = 0;
  std::function<void()> onEvents;

  void Message(const std::string&, const std::string&, MessageIcon) override { ++messages; }
  void ProcessEvents() override {
    if (onEvents) onEvents();
  }
};

}  // namespace quorix::bench
