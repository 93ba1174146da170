#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "phone-emulator/P2KFileSystem.h"

namespace quorix::emu {

// The search of subcommand 7 and the listing of subcommand 8 that walks what it found. A search
// whose first text is a folder (it starts with "/" and ends with one or names a folder) finds the
// files at any depth below it whose names match one of the masks that follow; any other search
// takes each text as a mask over whole paths. Masks ignore case.
class P2KFileSearch {
 public:
  // The reply data: how many files match, 16 bits big endian. The listing starts over with them.
  std::vector<uint8_t> Count(const P2KFileSystem& files, std::span<const uint8_t> texts);
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
