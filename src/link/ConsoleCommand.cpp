#include "link/ConsoleCommand.h"

#include "base/Shell.h"
#include "link/AtExchange.h"

namespace quorix {

void SendConsoleCommand(AtExchange& at, Shell& shell, const std::string& command) {
  std::string reply;
  at.SendATCommand(command, reply);
  const auto nul = reply.find('\0');
  if (nul != std::string::npos) reply.resize(nul);
  shell.LogLine(reply);
}

}  // namespace quorix
