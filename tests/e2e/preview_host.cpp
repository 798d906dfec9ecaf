// preview_host SCR: stands in for the display settings' preview area: makes
// a window and starts SCR /p with it, as the settings page does, then keeps
// the window until the preview's process ends, and exits with its exit code.
#include <windows.h>

#include <string>

#include "test_window.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HWND area = CreateTestWindow("PreviewArea", 152, 112);
  std::string line =
      std::string("\"") + argv[1] + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(area));
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION preview = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &preview))
    return 3;
  // The preview's window is a child of this thread's window: its messages
  // are handled here while waiting.
  while (MsgWaitForMultipleObjects(1, &preview.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  DWORD code = 0;
  GetExitCodeProcess(preview.hProcess, &code);
  return static_cast<int>(code);
}
