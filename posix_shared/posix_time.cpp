#include "posix_time.h"

#include <ctime>

#include "frame_clock.h"

long long NowNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * kNanosecondsPerSecond + now.tv_nsec;
}
