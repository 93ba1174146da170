#pragma once

#include <cstdint>
#include <vector>

namespace quorix::emu {

// The reply classes a phone answers a command with (the high nibble of the reply's byte 8).
constexpr uint8_t kClassRefused = 5;
constexpr uint8_t kClassDone = 6;
constexpr uint8_t kClassData = 8;

// What a command gets ready for the next reply read.
struct P2KAnswer {
  uint8_t replyClass = kClassRefused;
  std::vector<uint8_t> data;

  friend bool operator==(const P2KAnswer&, const P2KAnswer&) = default;
};

}  // namespace quorix::emu
