#include "link/LineSpeed.h"

// termios2 lives in the kernel's headers, which clash with <termios.h>; hence a file of its own.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace quorix {

namespace {

struct NamedSpeed {
  uint32_t bitsPerSecond;
  tcflag_t code;
};

// Rates with a code of their own keep it, so that tools reading the line see the usual value.
constexpr NamedSpeed kNamedSpeeds[] = {
    {110, B110},       {300, B300},       {600, B600},       {1200, B1200},    {2400, B2400},
    {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},  {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};

tcflag_t SpeedCode(uint32_t bitsPerSecond) {
  for (const NamedSpeed& named : kNamedSpeeds) {
    if (named.bitsPerSecond == bitsPerSecond) return named.code;
  }
  return BOTHER;
}

}  // namespace

bool SetLineSpeed(int fd, uint32_t bitsPerSecond) {
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~CBAUD;
  t.c_cflag |= SpeedCode(bitsPerSecond);
  t.c_ispeed = bitsPerSecond;
  t.c_ospeed = bitsPerSecond;
  return ioctl(fd, TCSETS2, &t) == 0;
}

}  // namespace quorix
