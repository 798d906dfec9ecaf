// Run on a display without GLX: no pixel format or context can be had, and
// the renderer must still start, draw and shut down without a crash.
#include <windows.h>

#include <gtest/gtest.h>

#include "saver_process.h"
#include "saver_script.h"
#include "test_window.h"

namespace {

TEST(NoGl, StartFramesAndShutdownRunWithoutAContext) {
  HWND window = CreateTestWindow("NoGlWindow", 320, 240);
  ASSERT_NE(window, nullptr);

  ResetScene(50);
  SpawnSatellites();
  rendererState.clientWidth = 320;
  rendererState.clientHeight = 240;
  ASSERT_TRUE(LoadGlLibraries());
  InitGl(window);
  // The display really has no OpenGL: otherwise this proves nothing.
  ASSERT_EQ(rendererState.renderContext, nullptr);
  ASSERT_EQ(wglGetCurrentContext(), nullptr);

  for (int i = 0; i < 500; ++i) {
    AdvanceScene();
    EXPECT_TRUE(DrawScene());
    SwapBuffers(rendererState.deviceContext);
  }
  ShutdownGl(window);
  EXPECT_TRUE(DestroyWindow(window));
}

TEST(NoGl, SaverWindowTicksAndClosesWithoutAContext) {
  ClearTestRegistry();
  ResetSaverProcess();
  SaverScript script;
  script.steps = {WaitUntil([] { return sceneState.lightCounter >= 5; }), [] {
                    EXPECT_GE(sceneState.lightCounter, 5);
                    EXPECT_EQ(rendererState.renderContext, nullptr);
                    PostMessageA(saverWindow, WM_KEYDOWN, 'K', 0);
                  }};
  EXPECT_EQ(RunSaver(nullptr, script), 0);
  EXPECT_EQ(script.stepsRun, 2u);
  ClearTestRegistry();
}

TEST(NoGl, BuiltSaverRunsAndClosesOnAKey) {
  SaverProcess saver(Line("/s"));
  HWND window = WaitForWindow(FindFullScreenSaver);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitUntilHandled(saver, window));
  PostMessageA(window, WM_KEYDOWN, 'K', 0);
  EXPECT_EQ(saver.Wait(), 0u);
  ClearTestRegistry();
}

}  // namespace
