#include "host.h"

#include "app.h"

// Leaves the saver window without an input context while it exists, using
// the input-method library only when the process has already loaded it.
static void DetachInputMethod(HWND window) {
  imeLibrary = GetModuleHandleA("IMM32.DLL");
  if (!imeLibrary) return;
  associateContextProc = reinterpret_cast<ImmAssociateContextProc>(
      reinterpret_cast<void*>(GetProcAddress(imeLibrary, "ImmAssociateContext")));
  if (associateContextProc) savedInputContext = associateContextProc(window, nullptr);
}

static void RestoreInputMethod(HWND window) {
  if (imeLibrary && associateContextProc && savedInputContext)
    associateContextProc(window, savedInputContext);
}

static bool IsTaskSwitch(WPARAM command) {
  return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      DetachInputMethod(window);
      GetCursorPos(&lastCursorPos);
      if (!isPreview) SetCursor(nullptr);
      break;
    case WM_DESTROY:
      RestoreInputMethod(window);
      PostQuitMessage(0);
      break;
    case WM_SETTEXT:
      // The title identifies a running saver to a second start; keep it.
      return 0;
    case WM_PAINT:
      if (closeApproved) return DefWindowProcA(window, message, wParam, lParam);
      if (!isPreview) SetCursor(nullptr);
      break;
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (isPreview) {
        HWND parent = GetParent(window);
        if (parent && IsWindow(parent)) {
          PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
        }
        return 1;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (closeApproved) return DefWindowProcA(window, message, wParam, lParam);
      break;
    case WM_SYSCOMMAND:
      // Compared whole: the low four bits are not masked off.
      if (!isPreview && IsTaskSwitch(wParam)) return 0;
      break;
    case WM_TIMER:
      if (closeApproved) return 0;  // no more frames once closing
      Sleep(0);                     // give up the rest of the time slice before the frame
      break;
  }
  return SaverWindowHandler(window, message, wParam, lParam);
}
