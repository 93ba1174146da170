#pragma once

#include <cstdint>
#include <span>

#include "phone-emulator/P2KAnswer.h"
#include "phone-emulator/P2KFileSearch.h"
#include "phone-emulator/P2KFileSystem.h"

namespace quorix::emu {

// Command 0x4A: a 4-byte subcommand, then its fields, all from a program that may send anything.
//
// A request too short for its fields or a subcommand the phone does not have is refused: class 5,
// no data. The others answer class 8: delete with one status byte, 0 done and 1 no such file;
// count and list with their data.
class P2KFileCommands {
 public:
  P2KAnswer Run(std::span<const uint8_t> payload);
  // Enumerated again: no listing goes on.
  void Reset();
  P2KFileSystem& FileSystem() { return files_; }
  const P2KFileSystem& FileSystem() const { return files_; }

 private:
  P2KFileSystem files_;
  P2KFileSearch search_;
};

}  // namespace quorix::emu
