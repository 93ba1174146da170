#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quorix::emu {

// The P2K commands and replies carry their numbers big endian.
inline uint16_t BigEndian16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

inline void Append16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

inline void Append32(std::vector<uint8_t>& out, uint32_t value) {
  Append16(out, static_cast<uint16_t>(value >> 16));
  Append16(out, static_cast<uint16_t>(value));
}

}  // namespace quorix::emu
