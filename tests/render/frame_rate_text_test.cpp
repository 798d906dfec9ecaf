// The frame rate's text drawn by Mesa into an off-screen buffer of a 4K
// screen's height and read back: over a white scene, so that the backdrop
// shows.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "frame_rate_text.h"
#include "renderer.h"

namespace {

constexpr int kWidth = 200, kHeight = 2160;

// A desktop OpenGL context on a pbuffer, without a display server.
bool MakeOffscreenContext() {
  EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (!eglInitialize(display, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API)) return false;
  const EGLint configAttributes[] = {
      EGL_SURFACE_TYPE,    EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
      EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,  EGL_NONE};
  EGLConfig config;
  EGLint found = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &found) || found == 0) return false;
  const EGLint size[] = {EGL_WIDTH, kWidth, EGL_HEIGHT, kHeight, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, size);
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  return eglMakeCurrent(display, surface, surface, context);
}

TEST(FrameRateText, WhiteOnADarkBackdropScaledToTheScreen) {
  ASSERT_TRUE(MakeOffscreenContext());
  rendererState.clientWidth = kWidth;
  rendererState.clientHeight = kHeight;
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  DrawFrameRateText("F");
  std::vector<unsigned char> red(kWidth * kHeight);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RED, GL_UNSIGNED_BYTE, red.data());
  // From the bottom left, in font pixels of 6 screen pixels: the F's
  // bottom row is its upright alone; the backdrop reaches 2 beyond it.
  const auto at = [&](int column, int row) {
    return static_cast<int>(red[(row * 6 + 3) * kWidth + column * 6 + 3]);
  };
  EXPECT_EQ(at(5, 5), 255);       // the upright, at 5 font pixels from either edge
  EXPECT_EQ(at(5, 11), 255);      // and the top row
  EXPECT_EQ(at(9, 11), 255);      // whole
  EXPECT_NEAR(at(9, 5), 102, 2);  // the bottom row's right: the backdrop, 40 % of the white
  EXPECT_NEAR(at(3, 3), 102, 2);  // the backdrop's corner
  EXPECT_EQ(at(2, 2), 255);       // and beyond it the scene
}

}  // namespace
