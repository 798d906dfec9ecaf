#include "frame_clock.h"

#include <cstdio>
#include <cstring>

#include "scene.h"

long long NextFrameDue(long long due, long long now, long long interval) {
  return now - due >= interval ? now + interval : due + interval;
}

TicksDue TicksDueAt(long long lastTick, long long now, long long interval) {
  if (interval <= 0) return {1, now};
  const long long ticks = (now - lastTick) / interval;
  if (ticks > kMaxTicksPerFrame) return {kMaxTicksPerFrame, now};
  return {ticks, lastTick + ticks * interval};
}

long long AdvanceSceneBy(const TicksDue& due) {
  for (long long i = 0; i < due.ticks; ++i) AdvanceScene();
  return due.lastTick;
}

void FormatFrameRate(int frames, long long nanoseconds, char* text, size_t size) {
  std::snprintf(text, size, "FPS: %.1f",
                nanoseconds > 0
                    ? frames * static_cast<double>(kNanosecondsPerSecond) / static_cast<double>(nanoseconds)
                    : 0.0);
}

void CountFrame(FrameRateCounter& counter, long long now) {
  if (counter.countSince == 0) {
    counter.countSince = now;
    std::strcpy(counter.text, "FPS: ...");
  }
  ++counter.framesCounted;
  if (now - counter.countSince < kNanosecondsPerSecond) return;
  FormatFrameRate(counter.framesCounted, now - counter.countSince, counter.text, sizeof counter.text);
  counter.countSince = now;
  counter.framesCounted = 0;
}
