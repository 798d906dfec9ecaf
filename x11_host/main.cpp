// kelvaris: the Kelvaris scene as an XScreenSaver hack.
#include <cstdlib>

#include "fault_report.h"
#include "program_start.h"
#include "stop_signal.h"
#include "x_host.h"

int main(int argc, char** argv) {
  faultProgram = "kelvaris";
  sigset_t waiting;
  CatchStopSignals(&waiting);
  const HackOptions options = ReadHackOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  if (options.reading.verdict == OptionsVerdict::kBadEnvironmentWindow) {
    Fail("XSCREENSAVER_WINDOW is not a window id: %s", options.reading.offending);
    return 1;
  }
  int exitCode = 0;
  if (!StartProgram(options.reading, kHackUsage, options.scene, &exitCode)) return exitCode;
  if (!OpenGlWindow(options)) return 1;
  EndStartUpWatch();
  RunFrames(options, waiting);
  CloseGlWindow();
  EndByStopSignal();
  return 0;
}
