// Measures how closely the emulated phone keeps to its line speed: one phonebook reply of about
// 9600 bytes at several speeds, from the command to the final OK.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "phone-emulator/EmulatedPhone.h"
#include "phone-emulator/PtyPhoneServer.h"

namespace {

using quorix::emu::EmulatedPhone;
using quorix::emu::EmulatorOptions;
using quorix::emu::PtyPhoneServer;
using Clock = std::chrono::steady_clock;

constexpr size_t kTargetBytes = 9600;

EmulatorOptions Phone(int baud) {
  EmulatorOptions options;
  options.fill = 1000;
  options.baud = baud;
  return options;
}

// The command whose echo and reply come closest to the target size, and that size.
std::pair<std::string, size_t> CommandOfTargetSize() {
  EmulatedPhone phone(Phone(0));
  std::string best;
  size_t bestSize = 0;
  for (int last = 1; last <= 1000; ++last) {
    const std::string command = "AT+MPBR=1," + std::to_string(last);
    const size_t size = phone.Receive(command + "\r").size();
    if (best.empty() ||
        (size > kTargetBytes ? size - kTargetBytes : kTargetBytes - size) <
            (bestSize > kTargetBytes ? bestSize - kTargetBytes : kTargetBytes - bestSize)) {
      best = command;
      bestSize = size;
    }
    if (size > kTargetBytes) break;
  }
  return {best, bestSize};
}

bool EndsWithOk(const std::string& text) {
  return text.size() >= 6 && text.compare(text.size() - 6, 6, "\r\nOK\r\n") == 0;
}

}  // namespace

int main() {
  const auto [command, bytes] = CommandOfTargetSize();
  std::printf("reply of %s: %zu bytes including the echo\n", command.c_str(), bytes);
  std::printf("%8s %12s %12s %10s\n", "bit/s", "expected s", "measured s", "deviation");
  for (const int baud : {9600, 19200, 57600, 115200}) {
    PtyPhoneServer server(Phone(baud));
    const int fd = open(server.Start().c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
      std::perror("open");
      return 1;
    }
    const std::string line = command + "\r\n";
    std::string received;
    const auto start = Clock::now();
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return 1;
    while (!EndsWithOk(received)) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 60000) <= 0) break;
      char buffer[4096];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      received.append(buffer, static_cast<size_t>(n));
    }
    const double measured = std::chrono::duration<double>(Clock::now() - start).count();
    close(fd);
    const double expected = static_cast<double>(received.size()) * 10.0 / baud;
    std::printf("%8d %12.3f %12.3f %+9.2f%%%s\n", baud, expected, measured,
                (measured - expected) / expected * 100.0,
                received.size() == bytes ? "" : "  (reply incomplete)");
  }
  return 0;
}
