// When the Linux program draws its next frame. Platform-free.
#pragma once

// When the frame after one that was due at `due` and started at `now` is due
// (nanoseconds). Frames come no faster than one per interval and missed ones
// are never made up: a slow machine gets a slower animation, not a jumpier one.
long long NextFrameDue(long long due, long long now, long long interval);
