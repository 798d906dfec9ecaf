#include "host.h"

#include "renderer.h"
#include "resource_ids.h"

static const char kClassName[] = "WindowsScreenSaverClass";
static const char kFullScreenTitle[] = "Screen Saver";

RECT ScreenClipBox() {
  RECT area = {};
  HDC screen = GetDC(nullptr);
  GetClipBox(screen, &area);
  ReleaseDC(nullptr, screen);
  return area;
}

// The saver window of one mode: a child filling the preview window, or the
// top-most full-screen window.
struct SaverWindowSettings {
  RECT area;
  DWORD exStyle;
  DWORD style;
  const char* title;
};

static SaverWindowSettings WindowSettingsFor(HWND parent) {
  if (parent) {
    RECT client = {};
    GetClientRect(parent, &client);
    return {{0, 0, client.right, client.bottom}, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, "Preview"};
  }
  return {ScreenClipBox(), WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
          kFullScreenTitle};
}

// Dispatches the saver window's messages until it is destroyed; the exit
// code that its WM_QUIT carries, or -1 when the loop ends otherwise.
static int RunMessageLoop() {
  MSG msg = {};
  // GetMessageA's -1 (an error) ends the loop too instead of spinning.
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : -1;
}

int RunSaverWindow(HWND parent) {
  WNDCLASSA wc = {};
  wc.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = HostWindowProc;
  wc.hInstance = saverInstance;
  wc.hIcon = LoadIconA(saverInstance, MAKEINTRESOURCEA(KELVARIS_CLASS_ICON));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kClassName;

  const SaverWindowSettings window = WindowSettingsFor(parent);
  if (parent) {
    isPreview = 1;
  } else {
    HWND running = FindWindowA(kClassName, kFullScreenTitle);
    if (running && IsWindow(running)) {
      SetForegroundWindow(running);
      return 0;
    }
    LoadPasswordVerifier();
  }
  // After the password library, which the older family finds by the usual
  // search; before anything of OpenGL can run.
  if (!LoadGlLibraries()) {
    UnloadPasswordVerifier();
    return -1;
  }

  autoPlayMessage = isOlderFamily ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

  // No quit message is read when the window cannot be made: that is a
  // failure, not the 0 of a saver that ran and closed.
  int exitCode = -1;
  if (RegisterClassA(&wc)) {
    const RECT& a = window.area;
    saverWindow =
        CreateWindowExA(window.exStyle, kClassName, window.title, window.style, a.left, a.top,
                        a.right - a.left, a.bottom - a.top, parent, nullptr, saverInstance, nullptr);
  }
  if (saverWindow) {
    if (!parent) SetForegroundWindow(saverWindow);
    exitCode = RunMessageLoop();
  }
  UnloadPasswordVerifier();
  return exitCode;
}
