// kelvaris: the Kelvaris scene as an XScreenSaver hack.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "fault_report.h"
#include "scene.h"
#include "stop_signal.h"
#include "x_host.h"

int main(int argc, char** argv) {
  faultProgram = "kelvaris";
  sigset_t waiting;
  CatchStopSignals(&waiting);
  const HackOptions options = ReadHackOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  if (options.verdict == OptionsVerdict::kHelp) {
    std::fputs(kHackUsage, stdout);
    return 0;
  }
  if (options.verdict == OptionsVerdict::kBadEnvironmentWindow) {
    Fail("XSCREENSAVER_WINDOW is not a window id: %s", options.offending);
    return 1;
  }
  if (options.verdict != OptionsVerdict::kRun) {
    ReportCommandLineFault(kHackUsage, {options.verdict, options.offending, options.option});
    return 1;
  }
  numSatellites = options.scene.count;
  StartScene(static_cast<uint32_t>(std::time(nullptr)));
  if (!OpenGlWindow(options)) {
    CloseGlWindow();
    return 1;
  }
  EndStartUpWatch();
  RunFrames(options, waiting);
  CloseGlWindow();
  EndByStopSignal();
  return 0;
}
