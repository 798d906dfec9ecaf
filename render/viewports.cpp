#include "viewports.h"

#include <algorithm>

int32_t MonitorViewports(const ScreenRect& window, const ScreenRect* monitors, int32_t monitorCount,
                         Viewport* viewports) {
  int32_t count = 0;
  for (int32_t i = 0; i < monitorCount && count < kMaxViewports; ++i) {
    // Only the part of the monitor inside the window can be drawn.
    const int32_t left = std::max(monitors[i].left, window.left);
    const int32_t top = std::max(monitors[i].top, window.top);
    const int32_t right = std::min(monitors[i].right, window.right);
    const int32_t bottom = std::min(monitors[i].bottom, window.bottom);
    if (right <= left || bottom <= top) continue;
    // Screen rows run downwards from the window's top, GL rows upwards from
    // its bottom.
    viewports[count++] = {left - window.left, window.bottom - bottom, right - left, bottom - top};
  }
  return count;
}
