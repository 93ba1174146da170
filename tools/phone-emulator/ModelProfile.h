#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "phone-emulator/EmulatorOptions.h"

namespace quorix::emu {

// What sets one phone apart from another over AT commands and USB, as captures of real phones
// show it. A --model name that is no profile gives a plain phone reporting that name.
struct ModelProfile {
  std::string model;  // after MODEL= in AT+CGMM
  std::string bands = "\"GSM900\",\"GSM1800\",\"GSM1900\",\"GSM850\"";
  std::string firmware = "R373_G_0E.30.49R";
  std::string memories = "(\"ME\",\"SM\",\"MT\")";  // AT+CPBS=?
  int firstPhoneIndex = 1;
  int phoneRecords = 1000;
  size_t simNameLength = 24;
  int categoryCount = 30;
  // +MBAN comes only when the mode change is done: before the echo of the next command.
  bool lateBanner = false;
  std::string noise;  // bytes sent before the echo of every reply
  // In UCS2 mode the hex of a datebook title travels quoted.
  bool quotedUcs2Titles = false;
  std::optional<int> p2kDelayMs;  // from AT+MODE=8 until the P2K device appears
};

// C650, V180, V220 and C550 keep 500 records in phone memory; the others 1000.
bool HasFiveHundredRecords(std::string_view model);

ModelProfile ProfileFor(const std::string& name);

// From AT+MODE=8 until the P2K device appears: the option's, else the model's, else the time
// any USB mode change takes.
int P2KAppearanceDelayMs(const EmulatorOptions& options);

}  // namespace quorix::emu
