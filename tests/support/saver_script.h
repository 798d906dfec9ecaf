// Runs the real saver window and its message loop on the test's thread,
// with the test's steps run one by one from inside that loop. Each step
// runs from a thread timer, which the loop dispatches only once the posted
// messages before it are handled, so a step sees what the last one caused.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "test_log.h"
#include "hang_guard.h"
#include "settings_key.h"
#include "scene_fixture.h"
#include "test_window.h"
#include "app.h"
#include "host.h"
#include "renderer.h"

struct SaverScript {
  std::vector<std::function<void()>> steps;
  size_t stepsRun = 0;
};

inline SaverScript* activeScript = nullptr;

inline void CALLBACK RunNextStep(HWND, UINT, UINT_PTR timer, DWORD) {
  SaverScript& script = *activeScript;
  if (script.stepsRun < script.steps.size()) {
    script.steps[script.stepsRun++]();
  } else {
    KillTimer(nullptr, timer);
  }
}

// A step that runs again on the next timer until `done` holds (or the hang
// guard ends the wait); the step after it checks what was waited for.
inline std::function<void()> WaitUntil(std::function<bool()> done) {
  DWORD start = 0;
  return [done, start]() mutable {
    if (!start) start = GetTickCount();
    if (!done() && GetTickCount() - start < kHangGuardMs) --activeScript->stepsRun;
  };
}

// Runs RunSaverWindow(parent) with the steps; returns its exit code. A
// script whose window should outlive it ends with a step that closes it.
inline int RunSaver(HWND parent, SaverScript& script) {
  activeScript = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, RunNextStep);
  const int code = RunSaverWindow(parent);
  KillTimer(nullptr, timer);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  activeScript = nullptr;
  return code;
}

// A step that records that the window was still open when it ran, then
// closes it so that the run ends.
inline std::function<void()> StillOpen(bool* open) {
  return [open] {
    *open = IsWindow(saverWindow) != FALSE;
    DestroyWindow(saverWindow);
  };
}

// Puts the host, renderer and scene back to their process-start values, as
// if each case ran in a fresh process.
inline void ResetSaverProcess() {
  ResetHostState();
  saverInstance = GetModuleHandleA(nullptr);
  isOlderFamily = DetectOlderFamily();
  UnregisterClassA("WindowsScreenSaverClass", saverInstance);
  rendererState = {};
  ResetScene(kDefaultSatelliteCount);
}

inline void ClearTestRegistry() {
  DeleteSettingsKey();
  RegDeleteTreeA(HKEY_CURRENT_USER, KELVARIS_TEST_KEY);
  HKEY desktop;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &desktop) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(desktop, "ScreenSaveUsePassword");
    RegCloseKey(desktop);
  }
}

inline void SetUsePassword(DWORD value) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword", REG_DWORD, &value,
                  sizeof(value));
}

// A window of the saver's class and title, as a running full-screen saver
// has. Its class belongs to another module, as another saver process's
// would, so that this program can still register the class itself.
inline HWND RunningSaverLookalike(DWORD style, DWORD exStyle) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA("kernel32.dll");
  wc.lpszClassName = "WindowsScreenSaverClass";
  RegisterClassA(&wc);
  return CreateWindowExA(exStyle, wc.lpszClassName, "Screen Saver", style, 0, 0, 100, 100, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

// A plain top-level window standing in for the display settings' preview
// area or a dialog owner; it records the last message of interest to it.
struct ParentWindow {
  HWND handle = nullptr;
  static inline UINT lastMessage = 0;
  static inline WPARAM lastWParam = 0;
  static inline LPARAM lastLParam = 0;
  static inline int setCursorSeen = 0;

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HELP || message == WM_CONTEXTMENU) {
      lastMessage = message;
      lastWParam = wParam;
      lastLParam = lParam;
      return 0;
    }
    if (message == WM_SETCURSOR) ++setCursorSeen;
    return DefWindowProcA(window, message, wParam, lParam);
  }

  ParentWindow(int clientWidth, int clientHeight) {
    handle = CreateTestWindow("TestParentWindow", clientWidth, clientHeight, WS_POPUP | WS_VISIBLE, "parent",
                              0, Proc);
    SetWindowPos(handle, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    lastMessage = 0;
    setCursorSeen = 0;
  }
  ~ParentWindow() {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
};
