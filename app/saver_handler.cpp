#include <ctime>

#include "app.h"
#include "host.h"
#include "renderer.h"
#include "scene.h"

static RECT ClientArea(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return client;
}

// The screen area the full-screen window was last fitted to.
static RECT fittedScreen;

// The area of every monitor together, from the virtual-screen metrics: they
// are already current when a display change is announced, where the screen
// DC's clip box can still hold the old size for a moment.
static RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The window's one timer: a tick of the animation each time it fires.
static const UINT_PTR kTickTimer = 1;

// Whether the ticks stopped because every display went off.
static bool pausedForDarkDisplays;

static void StartSaver(HWND window) {
  pausedForDarkDisplays = false;
  // The size only: the projection is built from it in InitGl.
  const RECT client = ClientArea(window);
  rendererState.clientWidth = client.right;
  rendererState.clientHeight = client.bottom;
  GetWindowRect(window, &fittedScreen);
  if (!isPreview) FitViewportsToMonitors(window);
  LoadSettings();  // before generation, which reads the count
  InitGl(window);
  StartScene(static_cast<uint32_t>(std::time(nullptr)));
  // Last, so that no tick arrives before the scene and renderer exist.
  SetTimer(window, kTickTimer, kTickMilliseconds, nullptr);
  // After the timer: the state the system sends at once may be "off".
  if (!isPreview) WatchDisplayState(window);
}

static void StopSaver(HWND window) {
  StopWatchingDisplayState();
  KillTimer(window, kTickTimer);
  SaveSettings();
  ShutdownGl(window);
}

// A monitor was added, removed or resized: the full-screen window covers
// the screen again and every monitor gets its viewport before the next
// frame, so that no frame is drawn stretched over the new layout.
static void RefitToScreen(HWND window) {
  const RECT screen = VirtualScreen();
  fittedScreen = screen;
  SetWindowPos(window, nullptr, screen.left, screen.top, screen.right - screen.left,
               screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FitViewportsToMonitors(window);
  const RECT client = ClientArea(window);
  ResizeClient(client.right, client.bottom);
}

// No ticks, and so no frames, while every display is off: nobody sees them.
// When a display comes back the scene goes on from where it stopped.
static void FollowDisplayState(HWND window, LPARAM lParam) {
  const DisplayState state = ReadDisplayState(lParam);
  if (state == DisplayState::kOff && !pausedForDarkDisplays) {
    KillTimer(window, kTickTimer);
    pausedForDarkDisplays = true;
  } else if (state == DisplayState::kLit && pausedForDarkDisplays) {
    SetTimer(window, kTickTimer, kTickMilliseconds, nullptr);
    pausedForDarkDisplays = false;
  }
}

LRESULT CALLBACK SaverWindowHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      StartSaver(window);
      return 0;
    case WM_DESTROY:
      StopSaver(window);
      return 0;
    case WM_TIMER:
      // The system's numbers can settle after its notice of a change, and a
      // change made outside Windows comes with no notice at all: each tick
      // compares the screen with the one the window was fitted to.
      if (!isPreview) {
        const RECT screen = VirtualScreen();
        if (!EqualRect(&screen, &fittedScreen)) RefitToScreen(window);
      }
      // Any timer id: the animation counts ticks, whatever sent them.
      AdvanceScene();
      DrawScene();
      SwapBuffers(rendererState.deviceContext);
      return 0;
    case WM_POWERBROADCAST:
      // The display-state notices a full-screen saver asked for are its own
      // business and close nothing; every other power event closes it.
      if (wParam == PBT_POWERSETTINGCHANGE && displayStateNotice) {
        FollowDisplayState(window, lParam);
        return TRUE;
      }
      break;
    case WM_DISPLAYCHANGE:
      if (!isPreview) RefitToScreen(window);
      break;  // and on to the system's processing
  }
  return HostDefaultHandler(window, message, wParam, lParam);
}
