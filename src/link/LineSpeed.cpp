#include "link/LineSpeed.h"

// termios2 lives in the kernel's headers, which clash with <termios.h>; hence a file of its own.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace quorix {

bool SetLineSpeed(int fd, uint32_t bitsPerSecond) {
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~CBAUD;
  t.c_cflag |= BOTHER;
  t.c_ispeed = bitsPerSecond;
  t.c_ospeed = bitsPerSecond;
  return ioctl(fd, TCSETS2, &t) == 0;
}

}  // namespace quorix
