// kelvaris-wayland: the Kelvaris scene on Wayland, as a screen saver an idle
// daemon starts, as a background, or in a window.
#include <cstdio>
#include <ctime>

#include "fault_report.h"
#include "scene.h"
#include "stop_signal.h"
#include "wayland_host.h"

int main(int argc, char** argv) {
  faultProgram = "kelvaris-wayland";
  sigset_t waiting;
  CatchStopSignals(&waiting);
  const WaylandOptions options = ReadWaylandOptions(argc, argv);
  if (options.verdict == OptionsVerdict::kHelp) {
    std::fputs(kWaylandUsage, stdout);
    return 0;
  }
  if (options.verdict != OptionsVerdict::kRun) {
    ReportCommandLineFault(kWaylandUsage, {options.verdict, options.offending, options.option});
    return 1;
  }
  numSatellites = options.scene.count;
  StartScene(static_cast<uint32_t>(std::time(nullptr)));
  if (!OpenWaylandHost(options)) {
    CloseWaylandHost();
    return 1;
  }
  EndStartUpWatch();
  // Ended by input or a window's close: 0; by the compositor's end: 1,
  // without a word, as the X11 hack ends with its X server.
  const bool endedByUser = RunWaylandFrames(options, waiting);
  CloseWaylandHost();
  EndByStopSignal();
  return endedByUser ? 0 : 1;
}
