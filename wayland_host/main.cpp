// kelvaris-wayland: the Kelvaris scene on Wayland, as a screen saver an idle
// daemon starts or that watches for the user to be idle itself, as a
// background, or in a window.
#include "fault_report.h"
#include "program_start.h"
#include "stop_signal.h"
#include "wayland_host.h"

int main(int argc, char** argv) {
  faultProgram = "kelvaris-wayland";
  sigset_t waiting;
  CatchStopSignals(&waiting);
  const WaylandOptions options = ReadWaylandOptions(argc, argv);
  int exitCode = 0;
  if (!StartProgram(options.reading, kWaylandUsage, options.scene, &exitCode)) return exitCode;
  if (!OpenWaylandHost(options)) return 1;
  EndStartUpWatch();
  // Ended by input or a window's close: 0; by the compositor's end: 1,
  // without a word, as the X11 hack ends with its X server.
  const bool endedByUser = RunWaylandFrames(options, waiting);
  CloseWaylandHost();
  EndByStopSignal();
  return endedByUser ? 0 : 1;
}
