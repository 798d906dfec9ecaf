// Puts the process-wide scene back to its start values, so that each case
// sees a fresh process whether cases run one per process or all in one.
#pragma once

#include "scene.h"

// Copied before main, when no case has touched the scene yet.
inline const SceneState sceneAtStart = sceneState;

inline void ResetScene(int32_t count) {
  sceneState = sceneAtStart;
  numSatellites = count;
  SeedRandom(1);
}
