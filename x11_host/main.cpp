// kelvaris: the Kelvaris scene as an XScreenSaver hack.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "scene.h"
#include "stop_signal.h"
#include "x_host.h"

int main(int argc, char** argv) {
  const HackOptions options = ReadHackOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  if (options.verdict == OptionsVerdict::kHelp) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options.verdict == OptionsVerdict::kBadEnvironmentWindow) {
    std::fprintf(stderr, "kelvaris: XSCREENSAVER_WINDOW is not a window id: %s\n", options.offending);
    return 1;
  }
  if (options.verdict != OptionsVerdict::kRun) {
    ReportCommandLineFault("kelvaris", kUsage, options.verdict, options.offending, options.option);
    return 1;
  }
  sigset_t waiting;
  CatchStopSignals(&waiting);

  numSatellites = options.count;
  if (!OpenGlWindow(options)) {
    CloseGlWindow();
    return 1;
  }
  StartScene(static_cast<uint32_t>(std::time(nullptr)));
  RunFrames(options, waiting);
  CloseGlWindow();
  EndByStopSignal();
  return 0;
}
