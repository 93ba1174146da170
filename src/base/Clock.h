#pragma once

#include <cstdint>
#include <string>

namespace quorix {

// All waiting goes through here, so tests can run the fixed pauses and timeouts in virtual time.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds on a monotonic scale.
  virtual int64_t NowMs() = 0;
  virtual void SleepMs(int64_t ms) = 0;
  // Waits until fd is ready for the poll() events given or timeoutMs has passed; true when ready.
  virtual bool WaitFd(int fd, short events, int64_t timeoutMs) = 0;
  // The calendar time, in seconds since 1970 (what a backup file's header names).
  virtual int64_t WallSeconds() = 0;
};

// The calendar time as the program writes it in its files, local time: "dd.mm.yyyy hh:mm:ss".
std::string LocalDateTime(Clock& clock);

// Wall time: real sleeps and real poll().
class RealClock final : public Clock {
 public:
  int64_t NowMs() override;
  void SleepMs(int64_t ms) override;
  bool WaitFd(int fd, short events, int64_t timeoutMs) override;
  int64_t WallSeconds() override;
};

// Virtual time for tests: sleeps and timeouts advance the clock at once. An fd wait still looks
// at the real fd (without blocking) so data already there is seen.
class VirtualClock final : public Clock {
 public:
  int64_t NowMs() override { return now_; }
  void SleepMs(int64_t ms) override;
  bool WaitFd(int fd, short events, int64_t timeoutMs) override;
  // A fixed day (8 December 2026, noon UTC) plus the virtual time gone by.
  int64_t WallSeconds() override { return kVirtualEpoch + now_ / 1000; }
  int64_t SleptMs() const { return slept_; }
  static constexpr int64_t kVirtualEpoch = 1796731200;

 private:
  int64_t now_ = 0;
  int64_t slept_ = 0;
};

}  // namespace quorix
