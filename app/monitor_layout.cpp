#include "app.h"
#include "renderer.h"

namespace {

struct MonitorList {
  int32_t count;
  ScreenRect rects[kMaxViewports];
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  MonitorList& list = *reinterpret_cast<MonitorList*>(data);
  if (list.count < kMaxViewports) {
    list.rects[list.count++] = {rect->left, rect->top, rect->right, rect->bottom};
  }
  return TRUE;
}

}  // namespace

void FitViewportsToMonitors(HWND window) {
  RECT area = {};
  GetWindowRect(window, &area);
  MonitorList monitors = {};
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  rendererState.viewportCount = MonitorViewports({area.left, area.top, area.right, area.bottom},
                                                 monitors.rects, monitors.count, rendererState.viewports);
}
