#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "phone-emulator/EmulatorOptions.h"
#include "phone-emulator/PtyPhoneServer.h"

int main(int argc, char** argv) {
  using namespace quorix::emu;
  const ParsedEmulatorOptions parsed =
      ParseEmulatorOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.help) {
    std::fputs(EmulatorUsage(), stdout);
    return 0;
  }
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "quorix-phone-emulator: %s\n%s", parsed.error.c_str(), EmulatorUsage());
    return 2;
  }

  // The serving thread inherits the blocked signals, so they all reach sigwait below.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  PtyPhoneServer server(parsed.options);
  try {
    const std::string path = server.Start();
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorix-phone-emulator: %s\n", e.what());
    return 1;
  }
  int signal = 0;
  sigwait(&stopSignals, &signal);
  server.Stop();
  return 0;
}
