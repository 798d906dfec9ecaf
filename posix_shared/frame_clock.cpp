#include "frame_clock.h"

#include <cstdio>

long long NextFrameDue(long long due, long long now, long long interval) {
  return now - due >= interval ? now + interval : due + interval;
}

void FormatFrameRate(int frames, long long nanoseconds, char* text, size_t size) {
  std::snprintf(text, size, "FPS: %.1f",
                nanoseconds > 0 ? frames * 1e9 / static_cast<double>(nanoseconds) : 0.0);
}
