#pragma once

#include <sys/resource.h>

namespace quorix::bench {

// CPU seconds (user and system) used so far by RUSAGE_SELF or RUSAGE_THREAD.
inline double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace quorix::bench
