#include "link/PhoneReset.h"

#include <string>

#include "base/Clock.h"
#include "base/Shell.h"
#include "link/AtExchange.h"
#include "link/LinkState.h"

namespace quorix {

void SendReset(const LinkState& link, AtExchange& at, Shell& shell, Clock& clock) {
  if (!link.PhoneConnected) return;
  std::string reply;
  at.SendATCommand("ATZ", reply);
  shell.LogLine(reply);
  clock.SleepMs(kResetPauseMs);
}

}  // namespace quorix
