// A window of the test program, in a class of its own name (registered on
// first use, with a private device context as OpenGL wants).
#pragma once

#include <windows.h>

inline HWND CreateTestWindow(const char* className, int width, int height,
                             DWORD style = WS_POPUP | WS_VISIBLE, const char* title = "test",
                             DWORD exStyle = 0, WNDPROC proc = DefWindowProcA) {
  WNDCLASSA wc = {};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowExA(exStyle, className, title, style, 0, 0, width, height, nullptr, nullptr,
                         wc.hInstance, nullptr);
}
