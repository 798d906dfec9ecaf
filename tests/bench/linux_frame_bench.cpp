// Milliseconds per frame (DrawScene and glXSwapBuffers) of the Linux program
// on the root window of the current display, at the default 5 satellites,
// measured as frame_bench measures the Windows saver.
// Usage: linux_frame_bench [FRAMES]
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "renderer.h"
#include "scene.h"
#include "x_host.h"

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
  numSatellites = 5;
  const char* const root[] = {"linux_frame_bench", "-root"};
  if (!OpenGlWindow(ReadHackOptions(2, root, nullptr))) return 1;
  SeedRandom(1);
  SpawnSatellites();
  for (int i = 0; i < 10; ++i) {  // warm up the driver
    DrawScene();
    glXSwapBuffers(xHostState.display, xHostState.window);
  }
  timespec start, end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  for (int i = 0; i < frames; ++i) {
    AdvanceScene();
    DrawScene();
    glXSwapBuffers(xHostState.display, xHostState.window);
  }
  glFinish();
  clock_gettime(CLOCK_MONOTONIC, &end);
  const double ms = (end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6;
  std::printf("satellites,ms_per_frame\n%d,%.3f\n", numSatellites, ms / frames);
  CloseGlWindow();
  return 0;
}
