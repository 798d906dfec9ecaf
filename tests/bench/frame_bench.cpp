// Milliseconds per frame (DrawScene and SwapBuffers) in a 1024x768 window
// under Wine and Mesa, at several satellite counts; or, with "monitors", the
// wall and CPU milliseconds per frame at the default count on the desks of
// real users: one, two and three 1024x768 monitors side by side, and a
// 1024x768 monitor beside a portrait 480x800 one, the window covering them
// all as the saver's does.
// Usage: frame_bench [FRAMES [monitors]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <vector>

#include "test_window.h"
#include "renderer.h"
#include "scene.h"

namespace {

struct FrameCost {
  double wallMs;
  double cpuMs;  // this process's user and system time; the X server's copy is not in it
};

double CpuMilliseconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  const auto ms = [](const FILETIME& t) {
    return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

// The cost of a frame of `count` satellites in `window`, whose client area
// covers `monitors` (their bounding box, at the origin), each monitor with a
// viewport of its own when there are several.
FrameCost MeasureFrames(HWND window, int frames, int32_t count, const std::vector<ScreenRect>& monitors) {
  sceneState.satelliteCount = 0;
  numSatellites = count;
  SeedRandom(1);
  SpawnSatellites();
  rendererState = {};
  ScreenRect area = {0, 0, 0, 0};
  for (const ScreenRect& m : monitors) {
    if (m.right > area.right) area.right = m.right;
    if (m.bottom > area.bottom) area.bottom = m.bottom;
  }
  SetWindowPos(window, nullptr, 0, 0, area.right, area.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  rendererState.clientWidth = area.right;
  rendererState.clientHeight = area.bottom;
  rendererState.viewportCount =
      MonitorViewports(area, monitors.data(), static_cast<int32_t>(monitors.size()), rendererState.viewports);
  InitGl(window);
  for (int i = 0; i < 10; ++i) {  // warm up the driver
    DrawScene();
    SwapBuffers(rendererState.deviceContext);
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  const double cpuStart = CpuMilliseconds();
  QueryPerformanceCounter(&start);
  for (int i = 0; i < frames; ++i) {
    AdvanceScene();
    DrawScene();
    SwapBuffers(rendererState.deviceContext);
  }
  glFinish();
  QueryPerformanceCounter(&end);
  const double cpu = CpuMilliseconds() - cpuStart;
  ShutdownGl(window);
  return {1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart / frames, cpu / frames};
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  const bool monitors = argc > 2 && std::strcmp(argv[2], "monitors") == 0;
  if (!LoadGlLibraries()) return 1;
  HWND window = CreateTestWindow("FrameBench", 1024, 768);
  if (monitors) {
    struct Desk {
      const char* name;
      std::vector<ScreenRect> monitors;
    };
    const Desk desks[] = {
        {"1024x768", {{0, 0, 1024, 768}}},
        {"2 x 1024x768", {{0, 0, 1024, 768}, {1024, 0, 2048, 768}}},
        {"3 x 1024x768", {{0, 0, 1024, 768}, {1024, 0, 2048, 768}, {2048, 0, 3072, 768}}},
        {"1024x768 + 480x800", {{0, 0, 1024, 768}, {1024, 0, 1504, 800}}},
    };
    std::printf("monitors,ms_per_frame,cpu_ms_per_frame\n");
    for (const Desk& desk : desks) {
      const FrameCost cost = MeasureFrames(window, frames, 5, desk.monitors);
      std::printf("%s,%.3f,%.3f\n", desk.name, cost.wallMs, cost.cpuMs);
      std::fflush(stdout);
    }
  } else {
    std::printf("satellites,ms_per_frame\n");
    for (int32_t count : {5, 50, 500}) {
      std::printf("%d,%.3f\n", count, MeasureFrames(window, frames, count, {{0, 0, 1024, 768}}).wallMs);
      std::fflush(stdout);
    }
  }
  DestroyWindow(window);
  return 0;
}
