// The animation model: satellites, the circling light and the central colour.
// Platform-free: no window system and no graphics library.
#pragma once

#include <cstdint>

struct Rgba {
  float red;
  float green;
  float blue;
  float alpha;
};

struct HsvColor {
  float hue;  // fraction of a full turn: 0 red, 1/3 green, 2/3 blue
  float saturation;
  float value;
};

struct Vec3 {
  float x;
  float y;
  float z;
};

// Thirteen 4-byte words, stored by value in the scene's list.
struct Satellite {
  Rgba color;
  Vec3 position;  // in the ring's own frame; the ring lies in its x-z plane
  Vec3 tilt;      // degrees about x, then y, then z
  float ringRadius;
  int32_t period;  // ticks for one circuit, 300 to 599
  int32_t step;    // 0 to period - 1
};
static_assert(sizeof(Satellite) == 13 * 4, "a satellite is thirteen words");

// The most satellites a scene holds. The stored count is a user-editable
// registry value; this keeps a huge one from exhausting memory or turning a
// frame into seconds of work, while leaving far more than fit on screen.
constexpr int32_t kMaxSatellites = 1000;

struct SceneState {
  // A fixed array filled from the front: appending never allocates and
  // cannot fail, and a tick walks it in order.
  Satellite satellites[kMaxSatellites];
  int32_t satelliteCount;
  int32_t lightCounter;    // 0 to 999
  float lightPosition[4];  // x, y, z, w in eye coordinates; y and w stay 0, 1
  int32_t hueCounter;      // 0 to 5999
  HsvColor hsv;
  Rgba centralColor;
};

extern SceneState sceneState;

// The animation's tick, the unit all its periods are counted in: every host
// advances the scene once per tick, at most this often.
constexpr int32_t kTickMilliseconds = 10;

// The satellite count until a setting or an option says otherwise.
constexpr int32_t kDefaultSatelliteCount = 5;

// The satellite count setting; kDefaultSatelliteCount until the stored
// setting replaces it.
extern int32_t numSatellites;

// How many satellites the tick and the frame handle: the count setting,
// but never more than the list holds and none for a negative count.
int32_t ActiveSatelliteCount();

// Moves the light, every satellite and the hue on by one tick.
void AdvanceScene();

void SeedRandom(uint32_t seed);

// Returns 0 to 32767 from the scene's linear congruential source.
int32_t NextRandom();

// Appends numSatellites random satellites, stopping at kMaxSatellites.
void SpawnSatellites();

// Seeds the random source and spawns the satellites: how every host starts
// its scene, with the calendar time as the seed.
void StartScene(uint32_t seed);

// Converts hsv into out in whole degrees and whole steps of 1/255. A grey
// (saturation exactly 0) sets only the colour channels.
void HueToRgba(const HsvColor& hsv, Rgba& out);
