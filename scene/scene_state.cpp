#include "scene.h"

#include <cmath>

SceneState sceneState = {{}, 0, 0, {0.0f, 0.0f, 0.0f, 1.0f}, 0, {0.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}};

int32_t numSatellites = 5;

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

  const int32_t count = ActiveSatelliteCount();
  for (int32_t i = 0; i < count; ++i) {
    Satellite& sat = s.satellites[i];
    sat.step = (sat.step + 1) % sat.period;
    const double t = sat.step * 6.28318530718 / sat.period;
    sat.position.x = static_cast<float>(std::cos(t) * sat.ringRadius);
    sat.position.z = static_cast<float>(std::sin(t) * sat.ringRadius);
  }

  s.hueCounter = (s.hueCounter + 1) % 6000;
  s.hsv.hue = static_cast<float>(s.hueCounter) * 0.00016666666f;

  HueToRgba(s.hsv, s.centralColor);
}
