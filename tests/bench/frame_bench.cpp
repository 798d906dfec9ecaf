// Milliseconds per frame (DrawScene and SwapBuffers) in a 1024x768 window
// under Wine and Mesa, at several satellite counts.
// Usage: frame_bench [FRAMES]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "../test_window.h"
#include "renderer.h"
#include "scene.h"

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  HWND window = CreateTestWindow("FrameBench", 1024, 768);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);

  std::printf("satellites,ms_per_frame\n");
  for (int32_t count : {5, 50, 500}) {
    sceneState.satelliteCount = 0;
    numSatellites = count;
    SeedRandom(1);
    SpawnSatellites();
    rendererState = {};
    rendererState.clientWidth = 1024;
    rendererState.clientHeight = 768;
    InitGl(window);
    for (int i = 0; i < 10; ++i) {  // warm up the driver
      DrawScene();
      SwapBuffers(rendererState.deviceContext);
    }
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < frames; ++i) {
      AdvanceScene();
      DrawScene();
      SwapBuffers(rendererState.deviceContext);
    }
    glFinish();
    QueryPerformanceCounter(&end);
    const double ms = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart / frames;
    std::printf("%d,%.3f\n", count, ms);
    std::fflush(stdout);
    ShutdownGl(window);
  }
  DestroyWindow(window);
  return 0;
}
