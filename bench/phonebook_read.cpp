// The whole phonebook reading against the emulated phone holding 1000 full records (names,
// addresses, birthdays), with block sizes 10 and 100, unpaced and paced at 115200 bit/s.
// Usage: bench_phonebook_read [RECORDS]
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
#include "phonebook/PhonebookReader.h"
#include "support/EmulatedPhoneSettings.h"

using quorix::bench::CpuSeconds;
using quorix::bench::QuietShell;

namespace {

constexpr int kPacedBaud = 115200;
// A byte on the line: start bit, eight data bits, stop bit.
constexpr double kBitsPerByte = 10;

struct Figures {
  double wall = 0;
  double readerCpu = 0;
  double processCpu = 0;
  long long bytes = 0;
  int records = 0;
  int messages = 0;
};

bool Run(int records, int blockSize, int baud, Figures& figures) {
  quorix::emu::EmulatorOptions options;
  options.model = "E398";
  options.fill = records;
  options.baud = baud;
  quorix::emu::PtyPhoneServer server(options);
  quorix::AppState state;
  quorix::test::UseEmulatedPhone(state, server.Start());
  state.settings.Range = std::to_string(blockSize);
  QuietShell shell;
  quorix::RealClock clock;
  quorix::PhoneConnection phone(state.settings, state.link, shell, clock);
  phone.ConnectPhone();
  if (!state.link.PhoneConnected) return false;
  shell.onEvents = [&phone] { phone.Com().PollTick(); };

  const long long bytesBefore = server.BytesSent();
  const double threadCpu = CpuSeconds(RUSAGE_THREAD);
  const double processCpu = CpuSeconds(RUSAGE_SELF);
  const auto start = std::chrono::steady_clock::now();
  quorix::ReadPhonebook(state, shell, phone);
  figures.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figures.readerCpu = CpuSeconds(RUSAGE_THREAD) - threadCpu;
  figures.processCpu = CpuSeconds(RUSAGE_SELF) - processCpu;
  figures.bytes = server.BytesSent() - bytesBefore;
  figures.records = state.phonebook.ReadCount;
  figures.messages = shell.messages;
  server.Stop();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int records = argc > 1 ? std::atoi(argv[1]) : 1000;
  std::printf("Reading %d full records from an emulated E398 (advanced phonebook)\n", records);
  std::printf("%-6s %-9s %9s %9s %9s %11s %9s %9s %9s %9s\n", "block", "line", "wall s", "CPU s",
              "CPU+ph s", "bytes", "wire s", "wall/wire", "CPU/wall", "records");
  bool complete = true;
  for (const int baud : {0, kPacedBaud}) {
    for (const int blockSize : {10, 100}) {
      Figures f;
      if (!Run(records, blockSize, baud, f)) {
        std::fprintf(stderr, "the emulated phone did not answer\n");
        return 1;
      }
      const double wire = f.bytes * kBitsPerByte / kPacedBaud;
      std::printf("%-6d %-9s %9.3f %9.3f %9.3f %11lld %9.3f %9.3f %8.2f%% %9d\n", blockSize,
                  baud ? "115200" : "unpaced", f.wall, f.readerCpu, f.processCpu, f.bytes, wire,
                  f.wall / wire, 100 * f.readerCpu / f.wall, f.records);
      if (f.records != records || f.messages != 0) complete = false;
    }
  }
  std::printf(
      "CPU s: the reading thread; CPU+ph s: the whole process, emulated phone included.\n"
      "wire s: the received bytes at 115200 bit/s, 10 bits a byte.\n"
      "Targets: paced, wall/wire <= 1.05 and CPU/wall < 3%%; unpaced, wall < 1 s.\n");
  if (!complete) std::fprintf(stderr, "some records were not read or an exchange failed\n");
  return complete ? 0 : 1;
}
