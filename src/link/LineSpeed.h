#pragma once

#include <cstdint>

namespace quorix {

// Sets any line speed in bits per second, also the ones that have no Bxxx constant (14400,
// 56000, 128000, 256000). False when the device refuses.
bool SetLineSpeed(int fd, uint32_t bitsPerSecond);

}  // namespace quorix
