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
#include "phone-emulator/P2KEndpoint.h"
#include "phone-emulator/P2KPhone.h"
#include "phone-emulator/PublishedPort.h"
#include "phone-emulator/Transcript.h"

namespace quorix::emu {

// The emulated phone on a pseudo-terminal: clients open the terminal side as they would a serial
// port, and may close and reopen it as often as they like. A background thread serves it with the
// options' pacing, reply delay, faults, transcript and publication.
//
// Published, it is a phone on USB: AT+MODE=8 takes it off its modem port as a phone leaves
// cdc_acm (the published port goes away and the terminal can no longer be opened), and after the
// USB delay its P2K endpoint appears. The switch back to AT mode or a restart reverses that, under
// the same terminal.
class PtyPhoneServer {
 public:
  enum class UsbState { AtMode, Away, P2KMode, Unplugged };

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
  UsbState State() const { return usbState_; }
  // Looks at the phone's state without racing the serving thread.
  void Inspect(const std::function<void(const EmulatedPhone&)>& look) const;
  // Changes the phone's state (a test's own records) without racing the serving thread.
  void Change(const std::function<void(EmulatedPhone&)>& change);
  void InspectFiles(const std::function<void(const P2KPhone&)>& look) const;
  void ChangeFiles(const std::function<void(P2KPhone&)>& change);

 private:
  using Clock = std::chrono::steady_clock;

  struct Chunk {
    std::string bytes;
    size_t sent = 0;
    Clock::time_point notBefore;
    bool repeats = false;  // sent again and again until the client says something new
    bool logged = false;
  };

  // What the serving loop waits for after pushing out what is due.
  struct OutputWait {
    bool writable = false;
    std::optional<Clock::duration> timeout;
  };

  void Serve();
  void TakeInput();
  void Queue(std::string bytes, Clock::time_point notBefore);
  static bool Matches(const std::vector<std::string>& prefixes, const std::string& command);
  static std::string WithNoise(const std::string& reply);
  OutputWait PumpOutput();
  void ClientLeft();
  void DropOutput(const char* why);
  void HangUp();
  void LeaveAtMode();
  void ComeBack();
  void ServeP2K(std::span<const pollfd> ready);
  std::optional<std::vector<uint8_t>> AnswerP2K(const p2k::endpoint::Frame& request);
  void LeaveP2K(P2KLeave leave);

  EmulatorOptions options_;
  mutable std::mutex phoneMutex_;
  EmulatedPhone phone_;
  Transcript transcript_;
  std::unique_ptr<PublishedPort> published_;
  P2KPhone p2k_;
  std::unique_ptr<P2KEndpoint> endpoint_;
  std::atomic<UsbState> usbState_{UsbState::AtMode};
  Clock::time_point comeBackAt_{};
  bool comeBackAsP2K_ = false;
  bool restartOnReturn_ = false;

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
