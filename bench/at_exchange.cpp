// Wall and CPU time of AT exchanges with the emulated phone on a pseudo-terminal.
// Usage: bench_at_exchange [EXCHANGES [BAUD]]   (BAUD 0: the emulator does not pace its replies)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CpuTime.h"
#include "QuietShell.h"
#include "app/AppState.h"
#include "base/Clock.h"
#include "link/PhoneConnection.h"
#include "phone-emulator/PtyPhoneServer.h"

using quorix::bench::CpuSeconds;
using quorix::bench::QuietShell;

namespace {}  // namespace

int main(int argc, char** argv) {
  const int exchanges = argc > 1 ? std::atoi(argv[1]) : 200;
  quorix::emu::EmulatorOptions options;
  options.baud = argc > 2 ? std::atoi(argv[2]) : 0;
  quorix::emu::PtyPhoneServer server(options);
  quorix::AppState state;
  state.settings.ComPort = server.Start();
  QuietShell shell;
  quorix::RealClock clock;
  quorix::PhoneConnection phone(state.settings, state.link, shell, clock);
  phone.ConnectPhone();
  if (!state.link.PhoneConnected) {
    std::fprintf(stderr, "the emulated phone did not answer\n");
    return 1;
  }

  int incomplete = 0;
  const double threadCpu = CpuSeconds(RUSAGE_THREAD);
  const double processCpu = CpuSeconds(RUSAGE_SELF);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < exchanges; ++i) {
    std::string reply;
    phone.SendATCommand(i % 2 ? "AT+CGMM" : "AT", reply);
    if (reply.size() < 3 || reply.compare(reply.size() - 3, 2, "OK") != 0) ++incomplete;
    // The console lets the event loop run between commands: the polling tick drops the leftover.
    phone.Com().PollTick();
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double linkCpu = CpuSeconds(RUSAGE_THREAD) - threadCpu;
  const double allCpu = CpuSeconds(RUSAGE_SELF) - processCpu;
  server.Stop();

  std::printf("%d exchanges (AT / AT+CGMM), emulator baud %s\n", exchanges,
              options.baud ? std::to_string(options.baud).c_str() : "unpaced");
  std::printf("wall            %8.3f ms per exchange (%.3f s total)\n", wall * 1000 / exchanges,
              wall);
  std::printf("CPU, link       %8.3f ms per exchange\n", linkCpu * 1000 / exchanges);
  std::printf("CPU, with phone %8.3f ms per exchange\n", allCpu * 1000 / exchanges);
  std::printf("incomplete replies: %d, error boxes: %d\n", incomplete, shell.messages);
  return incomplete == 0 ? 0 : 1;
}
