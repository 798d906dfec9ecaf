// Starts the built kelvaris.scr as its own process with a real command
// line, as the system does, and waits for what it shows and its exit code.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "hang_guard.h"

// The folder of this test program, where the build put the saver copies.
inline std::string TestFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct SaverProcess {
  PROCESS_INFORMATION info = {};
  bool started = false;

  // commandLine is the whole line; use Line() for the usual quoted form.
  // program is needed only when the line does not name it readably.
  explicit SaverProcess(std::string commandLine, const char* program = nullptr) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    started = CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info);
  }

  ~SaverProcess() {
    if (!started) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 0xDEAD);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }

  // Waits up to ms, handling this thread's messages meanwhile (a preview
  // parent or dialog owner lives here). STILL_ACTIVE when it did not end.
  DWORD Wait(DWORD ms = kHangGuardMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
      if (MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0) break;
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
};

// A window handle as the command line gives it: decimal.
inline std::string Handle(HWND window) { return std::to_string(reinterpret_cast<UINT_PTR>(window)); }

inline std::string Line(const std::string& args, const std::string& program = "kelvaris.scr") {
  return "\"" + TestFolder() + program + "\" " + args;
}

// Polls for a window while handling this thread's messages; null on timeout.
inline HWND WaitForWindow(const std::function<HWND()>& find, DWORD ms = kHangGuardMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    if (HWND found = find()) return found;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  return nullptr;
}

// Whether window has the visible style; the saver's windows get it once
// their creation, and so the saver's start, is complete.
inline bool HasVisibleStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Waits until the saver has started and handled every message posted to
// window before this call, by posting a marker behind them: WM_SETREDRAW,
// which the saver passes to the system's default processing, where it
// clears the visible style (readable from here) and then sets it again.
// True when the marker was seen while the saver still ran. ms bounds the
// wait for the marker, for callers that queue more work than one hang
// guard covers.
inline bool WaitUntilHandled(SaverProcess& saver, HWND window, DWORD ms = kHangGuardMs) {
  auto running = [&] { return saver.Wait(0) == STILL_ACTIVE; };
  WaitForWindow([&] { return HasVisibleStyle(window) || !running() ? window : nullptr; });
  if (!running() || !PostMessageA(window, WM_SETREDRAW, FALSE, 0)) return false;
  WaitForWindow([&] { return !HasVisibleStyle(window) || !running() ? window : nullptr; }, ms);
  const bool seen = running() && !HasVisibleStyle(window);
  PostMessageA(window, WM_SETREDRAW, TRUE, 0);
  return seen;
}

inline HWND FindFullScreenSaver() { return FindWindowA("WindowsScreenSaverClass", "Screen Saver"); }
// Found once shown, which the dialog manager does after WM_INITDIALOG.
inline HWND FindConfigDialog() {
  HWND dialog = FindWindowA(nullptr, "Zembrel Screensaver Config");
  return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}
