#pragma once

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "base/Clock.h"

namespace quorix::test {

// Virtual time for one thread whose pauses can stand for what happens meanwhile in real time
// elsewhere (an emulated phone re-enumerating, a search thread finding it): onPause runs at every
// pause, after the clock has moved on. A wait for a descriptor is real, since the phone on the
// other end answers in real time; a wait that times out moves the clock on by its limit.
class PausingClock final : public Clock {
 public:
  std::function<void(int64_t ms)> onPause;

  int64_t NowMs() override { return now_; }
  void SleepMs(int64_t ms) override {
    if (ms <= 0) return;
    now_ += ms;
    if (onPause) onPause(ms);
  }
  bool WaitFd(int fd, short events, int64_t timeoutMs) override {
    pollfd p{fd, events, 0};
    if (poll(&p, 1, static_cast<int>(std::max<int64_t>(timeoutMs, 0))) > 0) return true;
    if (timeoutMs > 0) now_ += timeoutMs;
    return false;
  }
  int64_t WallSeconds() override { return VirtualClock::kVirtualEpoch + now_ / 1000; }

 private:
  int64_t now_ = 0;
};

// Real time a hundred times faster, for a background thread whose fixed pauses must still let
// real events happen in between. Safe to share between threads.
class FastClock final : public Clock {
 public:
  static constexpr int64_t kSpeedUp = 100;

  int64_t NowMs() override {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count() * kSpeedUp /
           1000;
  }
  void SleepMs(int64_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000 / kSpeedUp));
  }
  bool WaitFd(int fd, short events, int64_t timeoutMs) override {
    pollfd p{fd, events, 0};
    return poll(&p, 1, static_cast<int>((timeoutMs + kSpeedUp - 1) / kSpeedUp)) > 0;
  }
  int64_t WallSeconds() override { return NowMs() / 1000; }
};

// Real waits for bytes, skipped pauses: a dialogue with the emulated phone runs as fast as the
// phone answers while the program's fixed pauses (200 ms after every write) cost nothing. The
// pauses still count in NowMs and in Skipped.
class SkippingClock final : public Clock {
 public:
  int64_t NowMs() override { return real_.NowMs() + skipped_; }
  void SleepMs(int64_t ms) override { skipped_ += ms > 0 ? ms : 0; }
  bool WaitFd(int fd, short events, int64_t timeoutMs) override {
    return real_.WaitFd(fd, events, timeoutMs);
  }
  int64_t WallSeconds() override { return real_.WallSeconds(); }
  int64_t Skipped() const { return skipped_; }

 private:
  RealClock real_;
  int64_t skipped_ = 0;
};

// Waits in real time until done() holds; false when it does not within guard, which only keeps
// a broken test from hanging.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds guard = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + guard;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace quorix::test
