// kelvaris: the Kelvaris scene as an XScreenSaver hack.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "scene.h"
#include "stop_signal.h"
#include "x_host.h"

// Says what was wrong with the command line or XSCREENSAVER_WINDOW; the
// usage follows where the command line was at fault.
static void ReportRefusal(const HackOptions& options) {
  switch (options.verdict) {
    case OptionsVerdict::kBadEnvironmentWindow:
      std::fprintf(stderr, "kelvaris: XSCREENSAVER_WINDOW is not a window id: %s\n", options.offending);
      return;
    case OptionsVerdict::kUnknownOption:
      std::fprintf(stderr, "kelvaris: unrecognised option: %s\n", options.offending);
      break;
    case OptionsVerdict::kMissingValue:
      std::fprintf(stderr, "kelvaris: option %s needs a value\n", options.offending);
      break;
    case OptionsVerdict::kBadValue:
      std::fprintf(stderr, "kelvaris: bad value for %s: %s\n", options.option, options.offending);
      break;
    case OptionsVerdict::kRun:
    case OptionsVerdict::kHelp:
      return;
  }
  std::fputs(kUsage, stderr);
}

int main(int argc, char** argv) {
  const HackOptions options = ReadHackOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  if (options.verdict == OptionsVerdict::kHelp) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options.verdict != OptionsVerdict::kRun) {
    ReportRefusal(options);
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
