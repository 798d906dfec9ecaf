// preview_host SCR [/c:]: stands in for the display settings: makes a window
// and starts SCR /p with it, as the settings page's preview does (or, with
// /c:, SCR /c:<window>, as its Settings button does), keeps the window until
// that process ends, and exits with its exit code; with 4 when the process
// left the window disabled, as a dialog that was killed instead of closed
// does. Told of its disabling, the window takes 3 s to answer, as a busy
// settings page may: the dialog's process then sits with its owner disabled
// and no dialog made yet, which whoever ends it must wait out.
#include <windows.h>

#include <string>

#include "test_window.h"

static LRESULT CALLBACK SlowToDisable(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENABLE && !wParam) Sleep(3000);
  return DefWindowProcA(window, message, wParam, lParam);
}

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) return 2;
  HWND area = CreateTestWindow("PreviewArea", 152, 112, WS_POPUP | WS_VISIBLE, "test", 0, SlowToDisable);
  const std::string mode = argc == 3 ? argv[2] : "/p ";
  std::string line = std::string("\"") + argv[1] + "\" " + mode + std::to_string(reinterpret_cast<UINT_PTR>(area));
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION child = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
    return 3;
  // The preview's window is a child of this thread's window, the dialog's
  // owner is it: their messages are handled here while waiting.
  while (MsgWaitForMultipleObjects(1, &child.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  return IsWindowEnabled(area) ? static_cast<int>(code) : 4;
}
