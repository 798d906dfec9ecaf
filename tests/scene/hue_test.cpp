#include <gtest/gtest.h>

#include "scene.h"

namespace {

struct HueCase {
  float hue, saturation, value;
  float red, green, blue;
};

TEST(HueToRgba, WorkedTableBitExact) {
  const HueCase cases[] = {
      {0.0f, 1, 1, 1, 0, 0},
      {0.16666667f, 1, 1, 1, 1, 0},
      {0.25f, 1, 1, 0.49803922f, 1, 0},
      {0.33333334f, 1, 1, 0, 1, 0},
      {0.5f, 1, 1, 0, 1, 1},
      {0.6666667f, 1, 1, 0, 0, 1},
      {0.8333333f, 1, 1, 0.98039216f, 0, 1},
      {0.99983335f, 1, 1, 1, 0, 0.015686275f},
      {1.0f, 1, 1, 1, 0, 0},
      {0.0f, 0.5f, 1, 1, 0.5019608f, 0.5019608f},
      {0.16666667f, 1, 0.5f, 0.49803922f, 0.49803922f, 0},
      {0.5f, 0.5f, 0.5f, 0.2509804f, 0.49803922f, 0.49803922f},
  };
  for (const HueCase& c : cases) {
    Rgba out = {-1, -1, -1, -1};
    HueToRgba({c.hue, c.saturation, c.value}, out);
    SCOPED_TRACE(testing::Message() << "hsv " << c.hue << ", " << c.saturation << ", " << c.value);
    EXPECT_EQ(out.red, c.red);
    EXPECT_EQ(out.green, c.green);
    EXPECT_EQ(out.blue, c.blue);
    EXPECT_EQ(out.alpha, 1.0f);
  }
}

TEST(HueToRgba, ZeroSaturationCopiesValueAndKeepsAlpha) {
  for (float zero : {0.0f, -0.0f}) {
    Rgba out = {0.1f, 0.2f, 0.3f, 0.25f};
    HueToRgba({0.4f, zero, 0.7f}, out);
    EXPECT_EQ(out.red, 0.7f);
    EXPECT_EQ(out.green, 0.7f);
    EXPECT_EQ(out.blue, 0.7f);
    EXPECT_EQ(out.alpha, 0.25f);
  }
}

TEST(HueToRgba, TinySaturationGivesWholeStepGreyWithOpaqueAlpha) {
  Rgba out = {0, 0, 0, 0.25f};
  HueToRgba({0.4f, 0.001f, 0.7f}, out);
  const float grey = static_cast<float>(178 * 0.00392156862745098);  // floor(0.7 * 255)
  EXPECT_EQ(out.red, grey);
  EXPECT_EQ(out.green, grey);
  EXPECT_EQ(out.blue, grey);
  EXPECT_EQ(out.alpha, 1.0f);
}

}  // namespace
