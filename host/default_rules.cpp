#include <cstdlib>

#include "host.h"

static void PostClose(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

// Cursor travel from the reference point, |dx| + |dy|, beyond the threshold.
static bool MovedFarEnough(POINT now) {
  const long long dx = std::llabs(static_cast<long long>(now.x) - lastCursorPos.x);
  const long long dy = std::llabs(static_cast<long long>(now.y) - lastCursorPos.y);
  return static_cast<DWORD>(dx + dy) > mouseMoveThreshold;
}

// The input rules of a running full-screen saver. Returns true with a
// result when the message is answered here, false to go on to the default.
static bool ApplyInputRules(HWND window, UINT message, WPARAM wParam, LRESULT* result) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam) SetCursor(nullptr);
      return false;
    case WM_ACTIVATEAPP:
      if (!wParam) PostClose(window);
      return false;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      *result = 1;
      return true;
    case WM_POWER:
      if (wParam == PWR_CRITICALRESUME) PostClose(window);
      return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_POWERBROADCAST:
      PostClose(window);
      return false;
    case WM_MOUSEMOVE: {
      // The system's position, not lParam's: travel is in screen pixels.
      POINT now;
      GetCursorPos(&now);
      if (MovedFarEnough(now)) {
        PostClose(window);
        lastCursorPos = now;
      }
      return false;
    }
  }
  return false;
}

LRESULT CALLBACK HostDefaultHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!isPreview && !closeApproved) {
    if (message == WM_CLOSE) {
      if (isOlderFamily && !VerifyBeforeClose(window)) {
        GetCursorPos(&lastCursorPos);  // only travel from here closes again
        return 0;
      }
    } else if (message == kVerifyRequest) {
      if (isOlderFamily) return verifyPasswordProc ? verifyPasswordProc(window) : 1;
    } else if (!verifyInProgress) {
      LRESULT result;
      if (ApplyInputRules(window, message, wParam, &result)) return result;
    }
  }

  if (autoPlayMessage != 0 && message == autoPlayMessage) {
    PostClose(window);
    return verifyPasswordProc ? 1 : 0;  // cancel the autoplay when protected
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
