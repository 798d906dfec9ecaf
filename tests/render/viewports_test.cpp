// Monitor rectangles to viewports, for the layouts of real desks: side by
// side, one left of or above the primary, monitors of different sizes, a
// gap between them, more monitors than pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "viewports.h"

// Beside Viewport, in the global namespace, where comparisons look.
static bool operator==(const Viewport& a, const Viewport& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

static void PrintTo(const Viewport& v, std::ostream* out) {
  *out << "(" << v.x << ", " << v.y << ", " << v.width << "x" << v.height << ")";
}

namespace {

// The viewports of a window over the clip box of `monitors`, which is the
// smallest rectangle holding them all.
std::vector<Viewport> ViewportsOver(const std::vector<ScreenRect>& monitors) {
  ScreenRect box = monitors[0];
  for (const ScreenRect& m : monitors) {
    box = {std::min(box.left, m.left), std::min(box.top, m.top), std::max(box.right, m.right),
           std::max(box.bottom, m.bottom)};
  }
  Viewport out[kMaxViewports] = {};
  const int32_t count = MonitorViewports(box, monitors.data(), static_cast<int32_t>(monitors.size()), out);
  return std::vector<Viewport>(out, out + count);
}

TEST(MonitorViewports, EveryMonitorGetsItsOwnPartOfTheWindow) {
  // One monitor: the whole client area, as a single-monitor saver draws.
  EXPECT_EQ(ViewportsOver({{0, 0, 1024, 768}}), (std::vector<Viewport>{{0, 0, 1024, 768}}));
  // 640x480 primary, 512x384 to its right, tops aligned: the smaller one
  // sits at the top of the window, 96 rows above its bottom.
  EXPECT_EQ(ViewportsOver({{0, 0, 640, 480}, {640, 0, 1152, 384}}),
            (std::vector<Viewport>{{0, 0, 640, 480}, {640, 96, 512, 384}}));
  // The same monitors with the primary on the right: negative coordinates.
  EXPECT_EQ(ViewportsOver({{0, 0, 512, 384}, {-640, 0, 0, 480}}),
            (std::vector<Viewport>{{640, 96, 512, 384}, {0, 0, 640, 480}}));
  // A 2560x1440 monitor above the primary, a 1024x768 one right of it
  // past a gap of 100 pixels: the primary holds the window's bottom rows.
  EXPECT_EQ(ViewportsOver({{0, 0, 1920, 1080}, {0, -1440, 2560, 0}, {2020, 200, 3044, 968}}),
            (std::vector<Viewport>{{0, 0, 1920, 1080}, {0, 1080, 2560, 1440}, {2020, 112, 1024, 768}}));
}

TEST(MonitorViewports, MonitorsOutsideTheWindowOrBeyondTheBoundGetNone) {
  const ScreenRect window = {0, 0, 800, 600};
  const ScreenRect monitors[] = {{800, 0, 1600, 600}, {-100, -100, 100, 100}, {0, 0, 0, 600}};
  Viewport out[kMaxViewports] = {};
  // Only the part of the second inside the window: its bottom-right quarter.
  ASSERT_EQ(MonitorViewports(window, monitors, 3, out), 1);
  EXPECT_EQ(out[0], (Viewport{0, 500, 100, 100}));
  // A monitor reaching below the window shows only down to its bottom row.
  const ScreenRect lower[] = {{0, 300, 800, 900}};
  ASSERT_EQ(MonitorViewports(window, lower, 1, out), 1);
  EXPECT_EQ(out[0], (Viewport{0, 0, 800, 300}));

  std::vector<ScreenRect> many;
  for (int32_t i = 0; i < kMaxViewports + 3; ++i) many.push_back({i * 100, 0, i * 100 + 100, 100});
  EXPECT_EQ(ViewportsOver(many).size(), static_cast<size_t>(kMaxViewports));

  // The system's list of a desk with more monitors than pictures keeps the
  // first ones and writes nothing past its end (the address sanitizer
  // watches the native run).
  MonitorList list = {};
  for (const ScreenRect& monitor : many) AppendMonitor(&list, monitor);
  EXPECT_EQ(list.count, kMaxViewports);
  EXPECT_EQ(list.rects[kMaxViewports - 1].left, (kMaxViewports - 1) * 100);
}

TEST(MonitorViewports, EachMonitorIsFramedByItsNarrowerSide) {
  EXPECT_EQ(MonitorFieldOfView(1024, 768), 45.0);  // wide and square: 45 degrees across the height
  EXPECT_EQ(MonitorFieldOfView(500, 500), 45.0);
  // 480x800 portrait: 45 degrees across its width, 2 atan(tan 22.5 * 800/480)
  // across its height.
  EXPECT_DOUBLE_EQ(MonitorFieldOfView(480, 800), 69.23897837977927);
}

}  // namespace
