// When the Linux program draws its next frame, and the frame rate it shows.
// Platform-free.
#pragma once

#include <cstddef>

// When the frame after one that was due at `due` and started at `now` is due
// (nanoseconds). Frames come no faster than one per interval and missed ones
// are never made up: a slow machine gets a slower animation, not a jumpier one.
long long NextFrameDue(long long due, long long now, long long interval);

// The frame rate of `frames` frames drawn in `nanoseconds`, as the hacks
// show it: "FPS: 78.0".
void FormatFrameRate(int frames, long long nanoseconds, char* text, size_t size);
