#pragma once

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "phone-emulator/EmulatedPhone.h"
#include "phone-emulator/EmulatorOptions.h"
#include "phone-emulator/PublishedPort.h"
#include "phone-emulator/Transcript.h"

namespace quorix::emu {

// The emulated phone on a pseudo-terminal: clients open the terminal side as they would a serial
// port, and may close and reopen it as often as they like. A background thread serves it with the
// options' pacing, reply delay, faults, transcript and publication.
class PtyPhoneServer {
 public:
  explicit PtyPhoneServer(EmulatorOptions options);
  ~PtyPhoneServer();
  PtyPhoneServer(const PtyPhoneServer&) = delete;
  PtyPhoneServer& operator=(const PtyPhoneServer&) = delete;

  // Opens the pseudo-terminal, starts serving and returns the terminal path clients open.
  // Throws std::runtime_error when the terminal cannot be set up.
  std::string Start();
  // Stops serving, closes the terminal and withdraws the publication. Safe to call twice.
  void Stop();

  const std::string& TerminalPath() const { return terminalPath_; }
  // The line was dropped by --hangup-after.
  bool HungUp() const { return hungUp_; }
  long long BytesSent() const { return bytesSent_; }
  // Looks at the phone's state without racing the serving thread.
  void Inspect(const std::function<void(const EmulatedPhone&)>& look) const;
  // Changes the phone's state (a test's own records) without racing the serving thread.
  void Change(const std::function<void(EmulatedPhone&)>& change);

 private:
  using Clock = std::chrono::steady_clock;

  struct Chunk {
    std::string bytes;
    size_t sent = 0;
    Clock::time_point notBefore;
  };

  // What the serving loop waits for after pushing out what is due.
  struct OutputWait {
    bool writable = false;
    std::optional<Clock::duration> timeout;
  };

  void Serve();
  void TakeInput();
  void Queue(std::string bytes, Clock::time_point notBefore);
  OutputWait PumpOutput();
  void ClientLeft();
  void DropOutput(const char* why);
  void HangUp();

  EmulatorOptions options_;
  mutable std::mutex phoneMutex_;
  EmulatedPhone phone_;
  Transcript transcript_;
  std::unique_ptr<PublishedPort> published_;

  int master_ = -1;
  int wake_ = -1;
  std::string terminalPath_;
  std::thread thread_;
  std::atomic<bool> hungUp_{false};
  std::atomic<long long> bytesSent_{0};

  std::deque<Chunk> output_;
  bool clientPresent_ = true;
  // Pacing: bytes put on the line since the line last fell idle at paceOrigin_.
  Clock::time_point paceOrigin_{};
  long long pacedBytes_ = 0;
};

}  // namespace quorix::emu
