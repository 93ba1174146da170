#pragma once

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
  int replyDelayMs = 0;
};

struct ParsedEmulatorOptions {
  EmulatorOptions options;
  bool help = false;
  std::string error;  // not empty: the command line was unusable
};

ParsedEmulatorOptions ParseEmulatorOptions(const std::vector<std::string>& args);

const char* EmulatorUsage();

}  // namespace quorix::emu
