#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "phone-emulator/P2KFileSystem.h"

namespace quorix::emu {

// The search of subcommand 7 and the listing of subcommand 8 that walks what it found. Each text
// of the search is a mask matched against whole paths, ignoring case.
class P2KFileSearch {
 public:
  // The reply data: how many files match, 16 bits big endian. The listing starts over with them.
  std::vector<uint8_t> Count(const std::vector<P2KFile>& files, std::span<const uint8_t> masks);
  // The reply data: a 4-byte header whose first two bytes count the records, then up to three
  // records of 268 bytes: path (NUL-terminated), attributes, owner, size.
  std::vector<uint8_t> NextRecords();
  void Forget();

 private:
  struct Listed {
    std::string path;
    uint16_t attributes;
    uint16_t owner;
    uint32_t size;
  };

  std::vector<Listed> listing_;
  size_t listed_ = 0;
};

}  // namespace quorix::emu
