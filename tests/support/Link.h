#pragma once

#include <string>

#include "app/AppState.h"
#include "base/Clock.h"
#include "link/PhoneConnection.h"
#include "support/RecordingShell.h"

namespace quorix::test {

// A phone connection with its own state and shell, set to use the given port.
template <class ClockType = RealClock>
struct Link {
  AppState state;
  RecordingShell shell;
  ClockType clock;
  PhoneConnection phone{state.settings, state.link, shell, clock};

  explicit Link(const std::string& port) { state.settings.ComPort = port; }
};

}  // namespace quorix::test
