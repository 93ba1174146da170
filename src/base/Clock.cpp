#include "base/Clock.h"

#include <poll.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <thread>

namespace quorix {

namespace {

bool PollFd(int fd, short events, int timeout) {
  pollfd p{fd, events, 0};
  int rc;
  do {
    rc = ::poll(&p, 1, timeout);
  } while (rc < 0 && errno == EINTR);
  return rc > 0;
}

}  // namespace

int64_t RealClock::NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealClock::SleepMs(int64_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int64_t RealClock::WallSeconds() {
  return std::time(nullptr);
}

std::string LocalDateTime(Clock& clock) {
  const std::time_t seconds = static_cast<std::time_t>(clock.WallSeconds());
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &local);
  return text;
}

bool RealClock::WaitFd(int fd, short events, int64_t timeoutMs) {
  return PollFd(fd, events, static_cast<int>(timeoutMs < 0 ? 0 : timeoutMs));
}

void VirtualClock::SleepMs(int64_t ms) {
  if (ms <= 0) return;
  now_ += ms;
  slept_ += ms;
}

bool VirtualClock::WaitFd(int fd, short events, int64_t timeoutMs) {
  if (PollFd(fd, events, 0)) return true;
  if (timeoutMs > 0) now_ += timeoutMs;
  return false;
}

}  // namespace quorix
