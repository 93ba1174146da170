#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "base/Clock.h"
#include "base/Shell.h"
#include "link/SerialPortMap.h"
#include "link/p2k/P2KPackets.h"
#include "link/p2k/P2KUsb.h"

namespace quorix {

// A driver interface that counts as the phone in P2K mode.
struct P2KCandidate {
  std::string InterfaceName;
  uint16_t StringSelector = 0;
};

// The phone's P2K data mode over USB: switches a phone on its USB modem port into P2K mode, finds
// its P2K interface on a search thread that also watches for it to go away, carries one command
// at a time and sends the phone back to AT mode.
//
// Commands, SwitchTo and DeliverStateMessages belong to the user-interface thread. Presence
// changes found by the search thread wait in a queue until that thread drains it, so
// OnDeviceChange and DevicePresent change only there. The search thread's pauses go through its
// own clock (the same one unless given): a clock shared by both threads must allow that, as the
// real clock does.
class TP2KAPI {
 public:
  static constexpr int64_t kSwitchPauseMs = 7000;
  // Some phones come back as a P2K device well after the fixed pause: public tools wait up to
  // about 40 s for it.
  static constexpr int64_t kDeviceWaitMs = 40000;
  static constexpr int64_t kDeviceWaitStepMs = 500;
  static constexpr int64_t kModeLinePauseMs = 500;
  static constexpr int64_t kPassPauseMs = 1000;
  static constexpr int64_t kRequestLimitMs = 5000;
  static constexpr int64_t kReplyLimitMs = 40000;
  static constexpr int64_t kPollPauseMs = 1;

  TP2KAPI(Shell& shell, Clock& clock, P2KUsbBackend& backend, Clock* searchClock = nullptr);
  // Stops the search thread and waits for it.
  ~TP2KAPI();
  TP2KAPI(const TP2KAPI&) = delete;
  TP2KAPI& operator=(const TP2KAPI&) = delete;

  // "AT" or "P2K", in any case; both end with a 7000 ms pause, and "P2K" then waits up to
  // kDeviceWaitMs more for the device to be open, telling the user in the progress text; false
  // when it does not come. Any other text is refused with a message box.
  bool SwitchTo(const std::string& mode);
  // One command exchange. On success reply holds the reply data; otherwise it is left alone.
  bool SendCommand(uint16_t command, std::span<const uint8_t> payload, std::vector<uint8_t>& reply);
  // Command 0x22; the search ends with the device that goes away.
  bool RestartPhone();

  // Called on the user-interface thread with 1 (present) or 0 (absent).
  std::function<void(int)> OnDeviceChange;
  // Diagnostics; called from either thread, one call at a time.
  std::function<void(const std::string&)> DebugLog;

  // Delivers the presence changes posted since the last call.
  void DeliverStateMessages();

  bool DevicePresent() const { return devicePresent_; }
  uint16_t PacketId() const { return packetId_; }
  bool Searching() const { return searching_; }
  // A device is open for commands right now (as the search thread last left it).
  bool DeviceOpen() const;
  // Why the last device that looked like the phone could not be opened (for example missing
  // permission), or empty.
  std::string OpenFailure() const;

  void SetPortMapSource(SerialPortMapSource source) { portMapSource_ = std::move(source); }
  // The port of the phone the program talks to. A search switches only that phone's modem port
  // when it is one, else the first modem port it sees; either way only that one port afterwards,
  // so that a second phone on the bus is never switched once the first has left the port map.
  void SetModemPort(const std::string& port);

  // The steps of the search, public so that they can be run one by one.
  bool StartSearch(bool startThread);
  // The first USB modem port in the serial port map, or empty.
  std::string FindModemPort();
  // The port this search switches, when it is in the port map as a USB modem now; else empty.
  std::string SwitchPort();
  // Writes "AT+MODE=8\r" to the port without configuring it; no reply is read.
  bool SendModeSwitch(const std::string& port);
  std::shared_ptr<P2KUsbDevice> OpenP2KDevice(const P2KCandidate& candidate);
  bool WriteData(P2KUsbDevice* device, std::span<const uint8_t> request);
  bool ReadData(P2KUsbDevice* device, std::span<const uint8_t> request,
                std::span<uint8_t, p2k::kReplyBufferSize> output);
  // The first half of a search pass: the mode switch line, the pause and the lookup of both
  // candidates. True (and the present state posted) when a device is open.
  bool SearchForDevice();
  // The second half: waits for the open device to go away, closes it and posts the absent state.
  void WatchDevice(std::stop_token stop);

 private:
  void SearchThread(std::stop_token stop);
  void Post(int state);
  void Log(const std::string& text);
  std::shared_ptr<P2KUsbDevice> CurrentDevice() const;
  void SetDevice(std::shared_ptr<P2KUsbDevice> device);

  Shell& shell_;
  Clock& clock_;
  Clock& searchClock_;
  P2KUsbBackend& backend_;
  SerialPortMapSource portMapSource_;

  std::mutex portMutex_;
  std::string modemPort_;   // as the caller named it
  std::string switchPort_;  // the one the running search switches
  std::vector<P2KCandidate> candidates_;
  P2KCandidate currentCandidate_;
  std::atomic<uint16_t> packetId_{0};
  std::atomic<bool> devicePresent_{false};
  std::atomic<bool> searching_{false};

  mutable std::mutex deviceMutex_;
  std::shared_ptr<P2KUsbDevice> device_;
  std::string openFailure_;

  std::mutex postMutex_;
  std::deque<int> posted_;
  std::mutex logMutex_;

  std::mutex threadMutex_;
  bool threadRunning_ = false;
  std::jthread thread_;
};

}  // namespace quorix
