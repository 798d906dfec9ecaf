#include "viewports.h"

#include <algorithm>
#include <cmath>

void AppendMonitor(MonitorList* list, const ScreenRect& monitor) {
  if (list->count < kMaxViewports) list->rects[list->count++] = monitor;
}

double MonitorFieldOfView(int32_t width, int32_t height) {
  if (width >= height || width <= 0) return 45.0;
  const double degrees = 180.0 / 3.14159265358979323846;
  return 2.0 * std::atan(std::tan(22.5 / degrees) * height / width) * degrees;
}

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
