#include "dll_search.h"
#include "host.h"

// The runtime's own entry point: it sets up the C and C++ runtime (the
// stack protector's guard, static objects) and then calls WinMain.
extern "C" int WinMainCRTStartup();

// The process's entry point, ahead of the runtime's: the DLL search is
// restricted before any other code of the program runs. The runtime's
// start-up already loads DLLs by name: the stack protector takes its guard
// from the system's random source, which loads the crypto provider and the
// libraries it needs. The older family has no such restriction; there its
// password DLLs are found by the usual search.
extern "C" int KelvarisStartup() {
  if (!DetectOlderFamily()) RestrictDllSearch();
  return WinMainCRTStartup();
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HostEntry();
  return 0;
}
