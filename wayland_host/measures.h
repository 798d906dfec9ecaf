// The arithmetic of the Wayland program, platform-free so that it is tested
// natively: a surface's buffer size from its scales, and how far the
// pointer may travel over the saver.
#pragma once

#include <cstdint>

// The buffer behind a surface of width x height (surface coordinates): at
// the compositor's fractional scale (in 120ths) where it offers one, shown
// through a viewport with a buffer scale of 1, else at the output's integer
// scale.
struct BufferSize {
  int32_t width, height;
  int32_t scale;  // the buffer scale told to the compositor
};
BufferSize BufferSizeFor(int32_t width, int32_t height, int32_t integerScale, uint32_t preferredScale120);

// How far the pointer may travel over the saver (in surface coordinates,
// across plus down) before it ends it, as the Windows saver allows a
// jittery mouse.
constexpr double kPointerTravelThreshold = 4;

// Whether the pointer's travel from where it entered ends the saver.
bool TravelEndsSaver(double startX, double startY, double x, double y);
