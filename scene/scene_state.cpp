#include "scene.h"

#include <cmath>

SceneState sceneState = {{}, 0, 0, {0.0f, 0.0f, 0.0f, 1.0f}, 0, {0.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}};

int32_t numSatellites = kDefaultSatelliteCount;

int32_t ActiveSatelliteCount() {
  if (numSatellites <= 0) return 0;
  return numSatellites < sceneState.satelliteCount ? numSatellites : sceneState.satelliteCount;
}

void AdvanceScene() {
  SceneState& s = sceneState;

  // The constants are 2 pi rounded as written, not computed from a full pi,
  // so that positions match the reference values to the last bit.
  s.lightCounter = (s.lightCounter + 1) % 1000;
  const double a = s.lightCounter * 0.00628318530718;
  s.lightPosition[0] = static_cast<float>(std::cos(a) * 4.0);
  s.lightPosition[2] = static_cast<float>(std::sin(a) * 4.0 - 5.0);

  // In blocks, first the steps and angles, then the positions: the double
  // divisions of a block then overlap instead of each waiting in front of
  // its own cosine and sine.
  const int32_t count = ActiveSatelliteCount();
  const int32_t kBlock = 64;
  double angles[kBlock];
  for (int32_t block = 0; block < count; block += kBlock) {
    const int32_t n = count - block < kBlock ? count - block : kBlock;
    Satellite* sats = s.satellites + block;
    for (int32_t i = 0; i < n; ++i) {
      Satellite& sat = sats[i];
      // (step + 1) mod period: the step is always below the period.
      sat.step = sat.step + 1 < sat.period ? sat.step + 1 : 0;
      angles[i] = sat.step * 6.28318530718 / sat.period;
    }
    for (int32_t i = 0; i < n; ++i) {
      sats[i].position.x = static_cast<float>(std::cos(angles[i]) * sats[i].ringRadius);
      sats[i].position.z = static_cast<float>(std::sin(angles[i]) * sats[i].ringRadius);
    }
  }

  s.hueCounter = (s.hueCounter + 1) % 6000;
  s.hsv.hue = static_cast<float>(s.hueCounter) * 0.00016666666f;

  HueToRgba(s.hsv, s.centralColor);
}
