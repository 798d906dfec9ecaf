// When the Linux programs draw their next frame and advance the animation,
// and the frame rate they show. Platform-free.
#pragma once

#include <cstddef>

constexpr long long kNanosecondsPerSecond = 1000000000LL;

// After a pause (every output off or hidden), the animation catches up by
// at most this many ticks, and then goes on from there.
constexpr int kMaxTicksPerFrame = 4;

// The ticks of the animation due at `now` when the last one was due at
// `lastTick`, one per interval (one per frame for an interval of 0), and when
// the last of them is due. After a pause longer than kMaxTicksPerFrame ticks
// only those are due, and the count starts again at `now`.
struct TicksDue {
  long long ticks;
  long long lastTick;
};
TicksDue TicksDueAt(long long lastTick, long long now, long long interval);

// Advances the animation by the ticks due, and returns when the last of
// them was due: the tick the next count starts from.
long long AdvanceSceneBy(const TicksDue& due);

// When the frame after one that was due at `due` and started at `now` is due
// (nanoseconds). Frames come no faster than one per interval and missed ones
// are never made up: a slow machine gets a slower animation, not a jumpier one.
long long NextFrameDue(long long due, long long now, long long interval);

// The frame rate of `frames` frames drawn in `nanoseconds`, as the hacks
// show it: "FPS: 78.0".
void FormatFrameRate(int frames, long long nanoseconds, char* text, size_t size);

// The frames counted for the rate shown (-fps), recounted once a second.
struct FrameRateCounter {
  long long countSince;  // nanoseconds; 0 before the first frame
  int framesCounted;
  char text[24];  // what to show: "FPS: ..." until the first second is counted
};

// Counts a frame started at `now` (nanoseconds); once a second has passed
// since the count began, the text becomes the rate and the count begins again.
void CountFrame(FrameRateCounter& counter, long long now);
