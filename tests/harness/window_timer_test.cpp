// Proves the harness: a real window on the private display receives real
// timer messages from the system, dispatched through its window procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include "hang_guard.h"
#include "test_window.h"

namespace {

int timerMessages = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == 7) {
    ++timerMessages;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Harness, WindowReceivesTimerMessages) {
  HWND window =
      CreateTestWindow("HarnessTimerWindow", 64, 64, WS_POPUP | WS_VISIBLE, "harness", 0, CountingProc);
  ASSERT_NE(window, nullptr);
  ASSERT_NE(SetTimer(window, 7, 10, nullptr), 0u);

  // Counted in messages, not time; the deadline only stops a broken run.
  const DWORD deadline = GetTickCount() + kHangGuardMs;
  MSG msg;
  while (timerMessages < 3 && GetTickCount() < deadline) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    DispatchMessageA(&msg);
  }
  EXPECT_GE(timerMessages, 3);
  KillTimer(window, 7);
  DestroyWindow(window);
}

}  // namespace
