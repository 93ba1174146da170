#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorix::emu {

// How the emulated phone is built and how it serves its port.
struct EmulatorOptions {
  std::string model = "E398";
  int simCapacity = 250;
  bool sample = false;
  int fill = 0;
  int baud = 0;  // 0: unpaced
  std::string logPath;
  bool publish = false;
  bool silent = false;
  long long hangupAfter = -1;  // bytes sent before the line drops; negative: never
  std::vector<std::string> errorOn;
  std::vector<std::string> garbageOn;  // replies to these commands carry line noise
  std::vector<std::string> endlessOn;  // replies to these commands never end
  std::vector<std::string> delayOn;    // when given, only these replies wait replyDelayMs
  int replyDelayMs = 0;
  // How long the phone is off the bus when it changes its USB mode or restarts.
  int usbDelayMs = 2500;
  // From AT+MODE=8 until the P2K device appears; unset: the model's own, else usbDelayMs.
  std::optional<int> p2kDelayMs;
  bool noP2K = false;          // AT+MODE=8 answers OK and nothing else happens
  bool p2kNeverReady = false;  // P2K commands are taken but their replies never become ready
  int p2kUnplugAt = 0;         // the phone is unplugged when its Nth P2K command arrives; 0: never
  uint32_t p2kCapacity = 4 << 20;  // bytes the phone's file system holds
};

struct ParsedEmulatorOptions {
  EmulatorOptions options;
  bool help = false;
  std::string error;  // not empty: the command line was unusable
};

ParsedEmulatorOptions ParseEmulatorOptions(const std::vector<std::string>& args);

const char* EmulatorUsage();

}  // namespace quorix::emu
