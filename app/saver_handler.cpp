#include <ctime>

#include "app.h"
#include "host.h"
#include "renderer.h"
#include "scene.h"

static void StartSaver(HWND window) {
  // The size is taken once: the projection is built from it in InitGl.
  RECT client = {};
  GetClientRect(window, &client);
  rendererState.clientWidth = client.right;
  rendererState.clientHeight = client.bottom;
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
  }
  return HostDefaultHandler(window, message, wParam, lParam);
}
