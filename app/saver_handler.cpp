#include <ctime>

#include "app.h"
#include "host.h"
#include "renderer.h"
#include "scene.h"

static void StoreClientSize(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  rendererState.clientWidth = client.right;
  rendererState.clientHeight = client.bottom;
}

static void StartSaver(HWND window) {
  // The size is taken here: the projection is built from it in InitGl.
  StoreClientSize(window);
  if (!isPreview) FitViewportsToMonitors(window);
  LoadSettings();  // before generation, which reads the count
  InitGl(window);
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  SpawnSatellites();
  // Last, so that no tick arrives before the scene and renderer exist.
  SetTimer(window, 1, 10, nullptr);
}

static void StopSaver(HWND window) {
  KillTimer(window, 1);
  SaveSettings();
  ShutdownGl(window);
}

// A monitor was added, removed or resized: the full-screen window covers
// the screen again and every monitor gets its viewport before the next
// frame, so that no frame is drawn stretched over the new layout.
static void RefitToScreen(HWND window) {
  const RECT screen = ScreenClipBox();
  SetWindowPos(window, nullptr, screen.left, screen.top, screen.right - screen.left,
               screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE);
  StoreClientSize(window);
  FitViewportsToMonitors(window);
  SetupProjection();
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
      // Any timer id: the animation counts ticks, whatever sent them.
      AdvanceScene();
      DrawScene();
      SwapBuffers(rendererState.deviceContext);
      return 0;
    case WM_DISPLAYCHANGE:
      if (!isPreview) RefitToScreen(window);
      break;  // and on to the system's processing
  }
  return HostDefaultHandler(window, message, wParam, lParam);
}
