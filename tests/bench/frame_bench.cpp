// Milliseconds per frame (DrawScene and SwapBuffers) in a 1024x768 window
// under Wine and Mesa, at several satellite counts; or, with "monitors", at
// the default count on one monitor and on two (each half of the window).
// Usage: frame_bench [FRAMES [monitors]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "../test_window.h"
#include "renderer.h"
#include "scene.h"

namespace {

// Milliseconds per frame of `count` satellites drawn into `viewportCount`
// side-by-side viewports that share the window.
double MeasureFrames(HWND window, int frames, int32_t count, int32_t viewportCount) {
  sceneState.satelliteCount = 0;
  numSatellites = count;
  SeedRandom(1);
  SpawnSatellites();
  rendererState = {};
  rendererState.clientWidth = 1024;
  rendererState.clientHeight = 768;
  rendererState.viewportCount = viewportCount;
  const int32_t width = 1024 / viewportCount;
  for (int32_t i = 0; i < viewportCount; ++i) rendererState.viewports[i] = {i * width, 0, width, 768};
  InitGl(window);
  for (int i = 0; i < 10; ++i) {  // warm up the driver
    DrawScene();
    SwapBuffers(rendererState.deviceContext);
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int i = 0; i < frames; ++i) {
    AdvanceScene();
    DrawScene();
    SwapBuffers(rendererState.deviceContext);
  }
  glFinish();
  QueryPerformanceCounter(&end);
  ShutdownGl(window);
  return 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart / frames;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  const bool monitors = argc > 2 && std::strcmp(argv[2], "monitors") == 0;
  HWND window = CreateTestWindow("FrameBench", 1024, 768);
  if (monitors) {
    std::printf("monitors,ms_per_frame\n");
    for (int32_t viewports : {1, 2})
      std::printf("%d,%.3f\n", viewports, MeasureFrames(window, frames, 5, viewports));
  } else {
    std::printf("satellites,ms_per_frame\n");
    for (int32_t count : {5, 50, 500}) {
      std::printf("%d,%.3f\n", count, MeasureFrames(window, frames, count, 1));
      std::fflush(stdout);
    }
  }
  DestroyWindow(window);
  return 0;
}
