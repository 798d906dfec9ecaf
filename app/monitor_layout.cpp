#include "app.h"
#include "renderer.h"

static BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  AppendMonitor(reinterpret_cast<MonitorList*>(data), {rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

void FitViewportsToMonitors(HWND window) {
  RECT area = {};
  GetWindowRect(window, &area);
  MonitorList monitors = {};
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  rendererState.viewportCount = MonitorViewports({area.left, area.top, area.right, area.bottom},
                                                 monitors.rects, monitors.count, rendererState.viewports);
}
