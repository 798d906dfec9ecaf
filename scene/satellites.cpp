#include "scene.h"

static uint32_t randomState = 1;

void SeedRandom(uint32_t seed) { randomState = seed; }

int32_t NextRandom() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}

// Builds one satellite from eight draws, in the order the fields are listed.
static Satellite MakeSatellite() {
  Satellite sat = {};
  sat.color.red = NextRandom() / 32768.0f;
  sat.color.green = NextRandom() / 32768.0f;
  sat.color.blue = NextRandom() / 32768.0f;
  sat.color.alpha = 1.0f;
  sat.ringRadius = NextRandom() / 32768.0f + 1.0f;
  sat.tilt.x = static_cast<float>(NextRandom() * 60.0 / 32768.0 - 30.0);
  sat.tilt.y = static_cast<float>(NextRandom() * 60.0 / 32768.0 - 30.0);
  sat.tilt.z = static_cast<float>(NextRandom() * 60.0 / 32768.0 - 30.0);
  // One circuit takes 300 ticks per unit of radius, so every satellite moves
  // at about the same speed along its path.
  sat.period = static_cast<int32_t>(sat.ringRadius * 600.0 * 0.5);
  sat.step = NextRandom() * sat.period / 32768;
  return sat;
}

void SpawnSatellites() {
  for (int32_t i = 0; i < numSatellites && sceneState.satelliteCount < kMaxSatellites; ++i) {
    sceneState.satellites[sceneState.satelliteCount++] = MakeSatellite();
  }
}

void StartScene(uint32_t seed) {
  SeedRandom(seed);
  SpawnSatellites();
}
