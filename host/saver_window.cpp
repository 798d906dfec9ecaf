#include "host.h"

#include "renderer.h"

static const char kClassName[] = "WindowsScreenSaverClass";
static const char kFullScreenTitle[] = "Screen Saver";

RECT ScreenClipBox() {
  RECT area = {};
  HDC screen = GetDC(nullptr);
  GetClipBox(screen, &area);
  ReleaseDC(nullptr, screen);
  return area;
}

int RunSaverWindow(HWND parent) {
  WNDCLASSA wc = {};
  wc.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = HostWindowProc;
  wc.hInstance = saverInstance;
  // The resources hold no icon under this id, so the class gets none.
  wc.hIcon = LoadIconA(saverInstance, MAKEINTRESOURCEA(100));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kClassName;

  DWORD exStyle, style;
  const char* title;
  RECT area;
  if (parent) {
    RECT client = {};
    GetClientRect(parent, &client);
    area = {0, 0, client.right, client.bottom};
    isPreview = 1;
    exStyle = 0;
    style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    title = "Preview";
  } else {
    area = ScreenClipBox();
    exStyle = WS_EX_TOPMOST;
    style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    title = kFullScreenTitle;

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
    saverWindow =
        CreateWindowExA(exStyle, kClassName, title, style, area.left, area.top, area.right - area.left,
                        area.bottom - area.top, parent, nullptr, saverInstance, nullptr);
  }
  if (saverWindow) {
    if (!parent) SetForegroundWindow(saverWindow);
    MSG msg = {};
    // GetMessageA's -1 (an error) ends the loop too instead of spinning.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    exitCode = msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : -1;
  }
  UnloadPasswordVerifier();
  return exitCode;
}
