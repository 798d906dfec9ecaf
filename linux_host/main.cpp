// kelvaris: the Kelvaris scene as an XScreenSaver hack.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "scene.h"
#include "x_host.h"

static void RequestStop(int) { stopRequested = 1; }

int main(int argc, char** argv) {
  const HackOptions options = ReadHackOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  if (!options.valid) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  struct sigaction stop = {};
  stop.sa_handler = RequestStop;
  sigaction(SIGTERM, &stop, nullptr);
  sigaction(SIGINT, &stop, nullptr);

  numSatellites = options.count;
  if (!OpenGlWindow(options)) {
    CloseGlWindow();
    return 1;
  }
  // As on Windows: seeded with the calendar time, counted in 10 ms ticks.
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  SpawnSatellites();
  RunFrames();
  CloseGlWindow();
  return 0;
}
