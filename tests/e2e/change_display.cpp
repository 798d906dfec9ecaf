// change_display W H: asks Windows to change the display to W x H pixels, as
// a game or the display settings do, and exits with ChangeDisplaySettingsExA's
// answer (0 for DISP_CHANGE_SUCCESSFUL).
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[1]));
  mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[2]));
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  return static_cast<int>(ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr));
}
