// The upload of 100 marked rows of the advanced phonebook and the full clear of a 1000-record
// phone, against the emulated E398, unpaced and paced at 115200 bit/s. The fixed pauses (200 ms
// after every write or delete, 300 ms after a reset) run in real time; the figure that matters is
// what the program adds to them and to the bytes on the line.
// Usage: bench_phonebook_write [ROWS]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CpuTime.h"
#include "QuietShell.h"
#include "app/AppState.h"
#include "base/Clock.h"
#include "codec/CodePage.h"
#include "codec/Ucs2.h"
#include "link/PhoneConnection.h"
#include "link/PhoneReset.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "phonebook/PhonebookWriter.h"
#include "support/EmulatedPhoneSettings.h"

using quorix::bench::CpuSeconds;
using quorix::bench::QuietShell;

namespace {

constexpr int kPacedBaud = 115200;
constexpr double kBitsPerByte = 10;

// The exchange as the program has it, counting the bytes it sends.
class ByteCountingExchange final : public quorix::AtExchange {
 public:
  explicit ByteCountingExchange(quorix::AtExchange& inner) : inner_(inner) {}
  void SendATCommand(const std::string& command, std::string& reply) override {
    if (!command.empty()) sent += static_cast<long long>(command.size()) + 2;
    inner_.SendATCommand(command, reply);
  }
  void BeginLongCommand() override { inner_.BeginLongCommand(); }
  void EndLongCommand() override { inner_.EndLongCommand(); }
  long long sent = 0;

 private:
  quorix::AtExchange& inner_;
};

struct Figures {
  double wall = 0;
  double cpu = 0;
  double pauses = 0;   // the program's fixed pauses: 300 ms for the reset, 200 ms a command
  double wireOut = 0;  // the commands at the line's speed
  double wireIn = 0;   // echo and replies at the line's speed
  bool clean = false;
};

quorix::EntryRow MarkedRow(int index) {
  quorix::EntryRow row;
  const std::string n = std::to_string(index);
  row[quorix::EntryNumber] = "\"+7916" + std::string(7 - n.size(), '0') + n + "\"";
  row[quorix::EntryNumberFormat] = "145";
  row[quorix::EntryName] = quorix::EncodeUcs2Hex(std::string("Петров Иван ") + n);
  row[quorix::EntryNumberType] = "3";
  row[quorix::EntryVoiceLabel] = "0";
  row[quorix::EntryMelody] = "255";
  row[quorix::EntryPrimary] = "1";
  row[quorix::EntryCategory] = "1";
  row[quorix::EntryField10] = "255";
  row[quorix::EntryField11] = "255";
  row[quorix::EntryField12] = "0";
  row[quorix::EntryField14] = "0";
  row[quorix::EntryField15] = "0";
  for (int field = quorix::EntryDistrict; field <= quorix::EntryNickname; ++field) {
    row[field] = "0410041104120413";
  }
  row[quorix::EntryBirthday] = "\"03-15-1970\"";
  row[quorix::EntryMark] = quorix::kMarkChanged;
  return row;
}

bool Run(bool clear, int rows, int baud, Figures& figures) {
  quorix::emu::EmulatorOptions options;
  options.model = "E398";
  options.fill = clear ? 1000 : 0;
  options.baud = baud;
  quorix::emu::PtyPhoneServer server(options);
  quorix::AppState state;
  quorix::test::UseEmulatedPhone(state, server.Start());
  QuietShell shell;
  quorix::RealClock clock;
  quorix::PhoneConnection phone(state.settings, state.link, shell, clock);
  phone.ConnectPhone();
  if (!state.link.PhoneConnected) return false;
  shell.onEvents = [&phone] { phone.Com().PollTick(); };
  ByteCountingExchange at(phone);
  for (int i = 1; i <= rows && !clear; ++i) state.phonebook.PhonebookEntries[i] = MarkedRow(i);

  const long long received = server.BytesSent();
  const double cpu = CpuSeconds(RUSAGE_THREAD);
  const auto start = std::chrono::steady_clock::now();
  quorix::PhonebookWriteOutcome outcome;
  if (clear) {
    quorix::ClearPhoneMemory(state, shell, at, clock, outcome);
  } else {
    outcome = quorix::WritePhonebook(state, shell, at, clock);
  }
  figures.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figures.cpu = CpuSeconds(RUSAGE_THREAD) - cpu;
  const int commands = outcome.Written + outcome.Deleted + outcome.Failed;
  figures.pauses = (quorix::kResetPauseMs + quorix::kWritePauseMs * commands) / 1000.0;
  if (baud != 0) {
    figures.wireOut = at.sent * kBitsPerByte / baud;
    figures.wireIn = (server.BytesSent() - received) * kBitsPerByte / baud;
  }
  figures.clean = !outcome.HadErrors() && shell.messages == 0;
  server.Stop();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 100;
  std::printf("%-22s %-8s %8s %8s %8s %9s %8s %9s %9s\n", "operation", "line", "wall s", "CPU s",
              "pauses s", "wire out", "wire in", "overhead", "CPU/wall");
  bool clean = true;
  for (const bool clear : {false, true}) {
    for (const int baud : {0, kPacedBaud}) {
      Figures f;
      if (!Run(clear, rows, baud, f)) {
        std::fprintf(stderr, "the emulated phone did not answer\n");
        return 1;
      }
      // The line is full duplex and the phone echoes each command as it comes in: the line is
      // busy as long as the incoming bytes take.
      const double overhead = f.wall - f.pauses - f.wireIn;
      const std::string what =
          clear ? "clear of 1000 records" : "upload of " + std::to_string(rows) + " rows";
      std::printf("%-22s %-8s %8.3f %8.3f %8.3f %9.3f %8.3f %8.2f%% %8.2f%%\n", what.c_str(),
                  baud ? "115200" : "unpaced", f.wall, f.cpu, f.pauses, f.wireOut, f.wireIn,
                  100 * overhead / f.wall, 100 * f.cpu / f.wall);
      clean = clean && f.clean;
    }
  }
  std::printf(
      "pauses s: the fixed pauses (300 ms reset, 200 ms a write or delete); wire: the bytes each\n"
      "way at the line's speed, 10 bits a byte (none unpaced); the echo comes back while a "
      "command\n"
      "goes out, so overhead = wall - pauses - wire in, as a share of wall.\n"
      "Targets: overhead <= 2%% and CPU <= 3%% of wall.\n");
  if (!clean) std::fprintf(stderr, "a command failed\n");
  return clean ? 0 : 1;
}
