// Where each monitor shows the saver's full-screen window: one GL viewport
// per monitor, so that every monitor shows the whole scene at its own size.
// Platform-free, so that layouts no test display can present are checked
// natively.
#pragma once

#include <cstdint>

// A rectangle in screen pixels, right and bottom exclusive, as the system
// gives monitor and window rectangles.
struct ScreenRect {
  int32_t left, top, right, bottom;
};

// A GL viewport: its origin is the bottom-left corner of the client area.
struct Viewport {
  int32_t x, y, width, height;
};

// More monitors than this are left without a picture of their own.
const int32_t kMaxViewports = 16;

// The monitors as the system lists them, up to kMaxViewports.
struct MonitorList {
  int32_t count;
  ScreenRect rects[kMaxViewports];
};

// Adds a monitor to the list; one beyond kMaxViewports is left out.
void AppendMonitor(MonitorList* list, const ScreenRect& monitor);

// The vertical field of view, in degrees, that frames one monitor of
// several by its narrower side: 45 across the height of a wide (or square)
// monitor, and for a tall one what gives 45 across its width, so that a
// portrait monitor shows across its width what a wide one shows across its
// height.
double MonitorFieldOfView(int32_t width, int32_t height);

// Writes to `viewports` the part of the window that each monitor shows, in
// the monitors' order, and returns how many there are: a monitor that shows
// none of the window gets none, and at most kMaxViewports are written.
int32_t MonitorViewports(const ScreenRect& window, const ScreenRect* monitors, int32_t monitorCount,
                         Viewport* viewports);
