#pragma once

#include <cstdint>
#include <span>

#include "phone-emulator/P2KAnswer.h"
#include "phone-emulator/P2KFileSearch.h"
#include "phone-emulator/P2KFileSystem.h"

namespace quorix::emu {

// Command 0x4A: a 4-byte subcommand, then its fields, all from a program that may send anything.
//
// A request too short for its fields, a write whose data is shorter than its size, or a subcommand
// the phone does not have is refused: class 5, no data. The others answer class 8: open, write,
// seek, close, delete, make and remove directory with one status byte, 0 done and 1 failed (as
// the phone answers the delete of a missing file); read with the bytes read, refused instead when
// no file is open or more than 0x400 bytes are asked for; count, list, volumes and free space
// with their data. Bytes after a request's fields are not looked at.
class P2KFileCommands {
 public:
  // Reads and writes move at most this many bytes.
  static constexpr uint32_t kMaxTransfer = 0x400;

  explicit P2KFileCommands(uint32_t capacity) : files_(capacity) {}

  P2KAnswer Run(std::span<const uint8_t> payload);
  // Enumerated again: no file is open and no listing goes on.
  void Reset();
  P2KFileSystem& FileSystem() { return files_; }
  const P2KFileSystem& FileSystem() const { return files_; }

 private:
  P2KAnswer FreeSpace(std::span<const uint8_t> fields) const;

  P2KFileSystem files_;
  P2KFileSearch search_;
};

}  // namespace quorix::emu
