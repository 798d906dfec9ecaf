// Real frames drawn by Mesa under Wine and read back from the back buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene_fixture.h"
#include "test_window.h"
#include "renderer.h"

namespace {

struct Pixel {
  int r, g, b;
};

// A CS_OWNDC window of the given client size with the renderer started on it.
class Frame : public testing::Test {
 protected:
  void Start(int width, int height) {
    window_ = CreateTestWindow("FrameTestWindow", width, height);
    ASSERT_NE(window_, nullptr);
    ResetScene(0);
    rendererState = {};
    rendererState.clientWidth = width;
    rendererState.clientHeight = height;
    ASSERT_TRUE(LoadGlLibraries());
    InitGl(window_);
    ASSERT_NE(wglGetCurrentContext(), nullptr);
  }

  void TearDown() override {
    if (!window_) return;
    ShutdownGl(window_);
    DestroyWindow(window_);
  }

  // Draws a frame and reads the whole back buffer, before any swap.
  void Draw() {
    DrawScene();
    const int width = rendererState.clientWidth, height = rendererState.clientHeight;
    frame_.assign(static_cast<size_t>(width) * height * 3, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame_.data());
  }

  // x, y in window pixels from the top left.
  Pixel At(int x, int y) const {
    const int row = rendererState.clientHeight - 1 - y;
    const unsigned char* p = &frame_[(static_cast<size_t>(row) * rendererState.clientWidth + x) * 3];
    return {p[0], p[1], p[2]};
  }

  // Where a point of eye space lands, in window pixels from the top left.
  void Project(double x, double y, double z, int* px, int* py) const {
    const double f = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
    const double aspect = static_cast<double>(rendererState.clientWidth) / rendererState.clientHeight;
    *px = static_cast<int>(std::lround((1.0 + f / aspect * x / -z) * rendererState.clientWidth / 2.0));
    *py = static_cast<int>(std::lround((1.0 - f * y / -z) * rendererState.clientHeight / 2.0));
  }

  // How many pixels in the 5x5 box round (x, y) are plainly of the colour
  // whose strongest channel is `channel` (0 red, 1 green, 2 blue).
  int CountDominant(int x, int y, int channel) const {
    int count = 0;
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        const Pixel p = At(x + dx, y + dy);
        const int c[3] = {p.r, p.g, p.b};
        if (c[channel] >= 60 && c[channel] >= c[(channel + 1) % 3] + 40 &&
            c[channel] >= c[(channel + 2) % 3] + 40)
          ++count;
      }
    }
    return count;
  }

  void PlaceSatellite(int index, Vec3 tilt, Vec3 position, Rgba color) {
    Satellite& s = sceneState.satellites[index];
    s = {};
    s.color = color;
    s.position = position;
    s.tilt = tilt;
    s.ringRadius = 1.5f;
    s.period = 300;
    if (sceneState.satelliteCount <= index) sceneState.satelliteCount = index + 1;
    numSatellites = sceneState.satelliteCount;
  }

  void SetLight(float x, float z) {
    sceneState.lightPosition[0] = x;
    sceneState.lightPosition[2] = z;
  }

  HWND window_ = nullptr;
  std::vector<unsigned char> frame_;
};

const Rgba kRed = {1, 0, 0, 1};
const Rgba kGreen = {0, 1, 0, 1};
const Rgba kBlue = {0, 0, 1, 1};

TEST_F(Frame, BackgroundIsBlackAndSphereSitsAtTheCentreInItsColour) {
  Start(400, 300);
  sceneState.centralColor = kGreen;
  SetLight(0, -1);  // between the eye and the sphere
  Draw();
  for (Pixel p : {At(0, 0), At(399, 0), At(0, 299), At(399, 299), At(100, 150), At(300, 150)}) {
    EXPECT_EQ(p.r + p.g + p.b, 0);
  }
  // The sphere's radius 0.5 at depth 5 projects to about 36 pixels.
  EXPECT_EQ(CountDominant(200 - 20, 150, 1), 25);
  EXPECT_EQ(CountDominant(200 + 20, 150, 1), 25);
  EXPECT_EQ(CountDominant(200, 150 - 20, 1), 25);
  EXPECT_EQ(CountDominant(200, 150 + 20, 1), 25);
  EXPECT_EQ(At(200 - 42, 150).g, 0);
  EXPECT_EQ(At(200 + 42, 150).g, 0);
}

TEST_F(Frame, SideFacingTheLightIsBrighter) {
  Start(400, 300);
  sceneState.centralColor = kRed;
  for (float lightX : {4.0f, -4.0f}) {
    SetLight(lightX, -5);  // level with the sphere, to one side
    Draw();
    const Pixel right = At(200 + 15, 150);
    const Pixel left = At(200 - 15, 150);
    const Pixel lit = lightX > 0 ? right : left;
    const Pixel dark = lightX > 0 ? left : right;
    SCOPED_TRACE(testing::Message() << "light x " << lightX << ": lit " << lit.r << ", dark " << dark.r);
    EXPECT_GE(lit.r, dark.r + 40);
    EXPECT_GE(dark.r, 20);  // the global ambient light still shows it
    EXPECT_LE(lit.g + lit.b, 30);
  }
}

TEST_F(Frame, SatelliteIsPlacedOnItsTiltedRing) {
  Start(400, 300);
  SetLight(0, 0);
  int rightX, rightY, aboveX, aboveY;
  Project(1.5, 0, -5, &rightX, &rightY);
  Project(0, 1.5, -5, &aboveX, &aboveY);

  PlaceSatellite(0, {0, 0, 0}, {1.5f, 0, 0}, kBlue);
  Draw();
  EXPECT_GE(CountDominant(rightX, rightY, 2), 9);
  EXPECT_EQ(CountDominant(aboveX, aboveY, 2), 0);

  PlaceSatellite(0, {0, 0, 90}, {1.5f, 0, 0}, kBlue);
  Draw();
  EXPECT_EQ(CountDominant(rightX, rightY, 2), 0);
  EXPECT_GE(CountDominant(aboveX, aboveY, 2), 9);
}

TEST_F(Frame, TiltsApplyZThenYThenX) {
  Start(400, 300);
  sceneState.centralColor = kRed;
  SetLight(0, 0);
  // About z first, the point (r, 0, 0) goes up; about x next, it comes
  // towards the eye and covers the central sphere. The other order would
  // leave it above the sphere.
  PlaceSatellite(0, {90, 0, 90}, {1.5f, 0, 0}, kBlue);
  Draw();
  EXPECT_GE(CountDominant(200, 150, 2), 9);
  int aboveX, aboveY;
  Project(0, 1.5, -5, &aboveX, &aboveY);
  EXPECT_EQ(CountDominant(aboveX, aboveY, 2), 0);
}

TEST_F(Frame, CentralSphereHidesSatelliteBehindIt) {
  Start(400, 300);
  sceneState.centralColor = kRed;
  SetLight(0, 0);
  PlaceSatellite(0, {0, 0, 0}, {0, 0, -1.5f}, kBlue);
  Draw();
  EXPECT_EQ(CountDominant(200, 150, 2), 0);
  EXPECT_GE(CountDominant(200, 150 - 10, 0), 20);
}

TEST_F(Frame, CountZeroDrawsTheCentralSphereAlone) {
  Start(400, 300);
  sceneState.centralColor = kRed;
  SetLight(0, 0);
  PlaceSatellite(0, {0, 0, 0}, {1.5f, 0, 0}, kBlue);
  numSatellites = 0;
  Draw();
  int x, y;
  Project(1.5, 0, -5, &x, &y);
  EXPECT_EQ(CountDominant(x, y, 2), 0);
  EXPECT_GE(CountDominant(200, 150 - 10, 0), 20);
  EXPECT_TRUE(glIsList(rendererState.centralSphereList));
  EXPECT_TRUE(glIsList(rendererState.satelliteSphereList));
}

TEST_F(Frame, ShutdownDeletesBothLists) {
  Start(64, 64);
  // A second context sharing the lists sees them go when they are deleted;
  // merely dropping the first context would leave them to the share group.
  HDC dc = GetDC(window_);
  HGLRC witness = wglCreateContext(dc);
  ASSERT_TRUE(wglShareLists(rendererState.renderContext, witness));
  const GLuint central = rendererState.centralSphereList;
  const GLuint satellite = rendererState.satelliteSphereList;
  ShutdownGl(window_);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  wglMakeCurrent(dc, witness);
  EXPECT_FALSE(glIsList(central));
  EXPECT_FALSE(glIsList(satellite));
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(witness);
  DestroyWindow(window_);
  window_ = nullptr;
}

TEST_F(Frame, ViewportAndProjectionFollowTheStoredSize) {
  const double f = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
  struct Size {
    int width, height;
    double aspect;
  };
  for (Size size :
       {Size{400, 300, 400.0 / 300}, Size{300, 400, 0.75}, Size{120, 0, 120.0}, Size{0, 90, 1.0 / 90}}) {
    Start(size.width > 0 ? size.width : 1, size.height > 0 ? size.height : 1);
    // The owner stores the client size; InitGl uses it whatever the window is.
    ShutdownGl(window_);
    rendererState.clientWidth = size.width;
    rendererState.clientHeight = size.height;
    InitGl(window_);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], size.width);
    EXPECT_EQ(viewport[3], size.height);
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    for (double v : m) EXPECT_TRUE(std::isfinite(v)) << size.width << "x" << size.height;
    EXPECT_NEAR(m[0], f / size.aspect, 1e-4 * f / size.aspect);
    EXPECT_NEAR(m[5], f, 1e-6);
    TearDown();
    window_ = nullptr;
  }
}

}  // namespace
