#include <gtest/gtest.h>

#include "scene_fixture.h"

namespace {

void Tick(int n) {
  for (int i = 0; i < n; ++i) AdvanceScene();
}

void ExpectColor(const Rgba& c, float r, float g, float b, float a) {
  EXPECT_EQ(c.red, r);
  EXPECT_EQ(c.green, g);
  EXPECT_EQ(c.blue, b);
  EXPECT_EQ(c.alpha, a);
}

TEST(Tick, FirstTickMatchesTheWorkedExample) {
  ResetScene(2);
  SpawnSatellites();
  AdvanceScene();
  EXPECT_EQ(sceneState.lightCounter, 1);
  EXPECT_EQ(sceneState.hueCounter, 1);
  EXPECT_EQ(sceneState.lightPosition[0], 3.9999211f);
  EXPECT_EQ(sceneState.lightPosition[1], 0.0f);
  EXPECT_EQ(sceneState.lightPosition[2], -4.9748673f);
  EXPECT_EQ(sceneState.lightPosition[3], 1.0f);

  const Satellite& s = sceneState.satellites[0];
  EXPECT_EQ(s.step, 486);
  EXPECT_EQ(s.position.x, 1.4407808f);
  EXPECT_EQ(s.position.y, 0.0f);
  EXPECT_EQ(s.position.z, -1.0934366f);
  EXPECT_EQ(sceneState.satellites[1].step, 9);
}

TEST(Tick, LightCirclesInAThousandTicks) {
  ResetScene(0);
  Tick(250);
  EXPECT_NEAR(sceneState.lightPosition[0], 0.0f, 1e-6);
  EXPECT_EQ(sceneState.lightPosition[1], 0.0f);
  EXPECT_NEAR(sceneState.lightPosition[2], -1.0f, 1e-6);
  EXPECT_EQ(sceneState.lightPosition[3], 1.0f);
  Tick(750);
  EXPECT_EQ(sceneState.lightCounter, 0);
  EXPECT_EQ(sceneState.lightPosition[0], 4.0f);
  EXPECT_EQ(sceneState.lightPosition[2], -5.0f);
}

TEST(Tick, EmptyListStillMovesLightAndHue) {
  ResetScene(0);
  SpawnSatellites();
  Tick(3);
  EXPECT_EQ(sceneState.satelliteCount, 0);
  EXPECT_EQ(sceneState.lightCounter, 3);
  EXPECT_EQ(sceneState.hueCounter, 3);
}

TEST(Tick, SatelliteWrapsToTheStartOfItsRing) {
  ResetScene(1);
  Satellite s = {};
  s.color.alpha = 1.0f;
  s.ringRadius = 1.5f;
  s.period = 300;
  s.step = 299;
  sceneState.satellites[0] = s;
  sceneState.satelliteCount = 1;
  AdvanceScene();
  const Satellite& after = sceneState.satellites[0];
  EXPECT_EQ(after.step, 0);
  EXPECT_EQ(after.position.x, 1.5f);
  EXPECT_EQ(after.position.y, 0.0f);
  EXPECT_EQ(after.position.z, 0.0f);
}

TEST(Tick, HueRunsThroughAllColoursInSixThousandTicks) {
  ResetScene(5);
  SpawnSatellites();
  Tick(1000);
  EXPECT_EQ(sceneState.hsv.hue, 0.16666667f);
  ExpectColor(sceneState.centralColor, 1, 1, 0, 1);
  Tick(5000);
  EXPECT_EQ(sceneState.hueCounter, 0);
  EXPECT_EQ(sceneState.hsv.hue, 0.0f);
  ExpectColor(sceneState.centralColor, 1, 0, 0, 1);

  // What never changes over a whole cycle.
  EXPECT_EQ(sceneState.hsv.saturation, 1.0f);
  EXPECT_EQ(sceneState.hsv.value, 1.0f);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(sceneState.satellites[i].color.alpha, 1.0f);
    EXPECT_EQ(sceneState.satellites[i].position.y, 0.0f);
  }
}

// The tick whose hue counter becomes `counter`, then its central colour.
Rgba ColourAtHueCounter(int32_t counter) {
  ResetScene(0);
  sceneState.hueCounter = counter - 1;
  AdvanceScene();
  return sceneState.centralColor;
}

TEST(Tick, WholeDegreeThresholdsOfTheHue) {
  ExpectColor(ColourAtHueCounter(16), 1, 0, 0, 1);               // H = 0
  ExpectColor(ColourAtHueCounter(17), 1, 0.015686275f, 0, 1);    // H = 1: 4/255
  ExpectColor(ColourAtHueCounter(999), 1, 0.98039216f, 0, 1);    // H = 59
  ExpectColor(ColourAtHueCounter(5000), 0.98039216f, 0, 1, 1);   // H = 299
  ExpectColor(ColourAtHueCounter(5001), 1, 0, 1, 1);             // H = 300
  ExpectColor(ColourAtHueCounter(5999), 1, 0, 0.015686275f, 1);  // H = 359
}

}  // namespace
