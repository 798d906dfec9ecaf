#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "scene_fixture.h"

namespace {

// The seed whose draw number `position` (from 1) is `value`: the generator
// is invertible, so we walk back from a state with the wanted bits.
uint32_t SeedGiving(int position, int32_t value) {
  const uint32_t multiplier = 214013u;
  uint32_t inverse = multiplier;  // Newton's iteration for the inverse mod 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - multiplier * inverse;
  uint32_t state = static_cast<uint32_t>(value) << 16;
  for (int i = 0; i < position; ++i) state = (state - 2531011u) * inverse;
  return state;
}

Satellite SpawnOneFrom(uint32_t seed) {
  ResetScene(1);
  SeedRandom(seed);
  SpawnSatellites();
  return sceneState.satellites[0];
}

TEST(Random, SeedOneGivesTheReferenceSequence) {
  SeedRandom(1);
  const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  for (int32_t e : expected) EXPECT_EQ(NextRandom(), e);
}

TEST(Spawn, SeedOneGivesTheWorkedSatellites) {
  ResetScene(2);
  SpawnSatellites();
  ASSERT_EQ(sceneState.satelliteCount, 2);
  const Satellite& first = sceneState.satellites[0];
  EXPECT_EQ(first.color.red, 0.001251220703125f);
  EXPECT_EQ(first.color.green, 0.563568115234375f);
  EXPECT_EQ(first.color.blue, 0.19329833984375f);
  EXPECT_EQ(first.color.alpha, 1.0f);
  EXPECT_EQ(first.ringRadius, 1.8087158203125f);
  EXPECT_EQ(first.tilt.x, 5.0994873046875f);
  EXPECT_EQ(first.tilt.y, -1.20849609375f);
  EXPECT_EQ(first.tilt.z, -8.983154296875f);
  EXPECT_EQ(first.position.x, 0.0f);
  EXPECT_EQ(first.position.y, 0.0f);
  EXPECT_EQ(first.position.z, 0.0f);
  EXPECT_EQ(first.period, 542);
  EXPECT_EQ(first.step, 485);

  const Satellite& second = sceneState.satellites[1];
  EXPECT_EQ(second.ringRadius, 1.858917236328125f);
  EXPECT_EQ(second.period, 557);
  EXPECT_EQ(second.step, 8);
}

TEST(Spawn, SatelliteKTakesDraws8kPlus1To8kPlus8) {
  ResetScene(3);
  SeedRandom(777);
  SpawnSatellites();
  SeedRandom(777);
  for (int k = 0; k < 3; ++k) {
    int32_t r[8];
    for (int32_t& d : r) d = NextRandom();
    const Satellite& s = sceneState.satellites[k];
    EXPECT_EQ(s.color.red, r[0] / 32768.0f) << "satellite " << k;
    EXPECT_EQ(s.color.green, r[1] / 32768.0f);
    EXPECT_EQ(s.color.blue, r[2] / 32768.0f);
    EXPECT_EQ(s.ringRadius, r[3] / 32768.0f + 1.0f);
    EXPECT_EQ(s.period, 300 + 300 * r[3] / 32768);
    EXPECT_EQ(s.step, r[7] * s.period / 32768);
  }
}

TEST(Spawn, ExtremeDrawsGiveTheEdgesOfEachRange) {
  Satellite s = SpawnOneFrom(SeedGiving(4, 0));
  EXPECT_EQ(s.ringRadius, 1.0f);
  EXPECT_EQ(s.period, 300);
  s = SpawnOneFrom(SeedGiving(4, 32767));
  EXPECT_EQ(s.ringRadius, 1.999969482421875f);
  EXPECT_EQ(s.period, 599);

  EXPECT_EQ(SpawnOneFrom(SeedGiving(8, 0)).step, 0);
  s = SpawnOneFrom(SeedGiving(8, 32767));
  EXPECT_EQ(s.step, s.period - 1);

  EXPECT_EQ(SpawnOneFrom(SeedGiving(5, 0)).tilt.x, -30.0f);
  EXPECT_EQ(SpawnOneFrom(SeedGiving(5, 16384)).tilt.x, 0.0f);
  EXPECT_EQ(SpawnOneFrom(SeedGiving(5, 32767)).tilt.x, 29.9981689453125f);
  EXPECT_EQ(SpawnOneFrom(SeedGiving(7, 32767)).tilt.z, 29.9981689453125f);
}

TEST(Spawn, AppendsWithoutEmptyingAndSameSeedRepeats) {
  ResetScene(2);
  SeedRandom(1700000000u);
  SpawnSatellites();
  SeedRandom(1700000000u);
  SpawnSatellites();
  ASSERT_EQ(sceneState.satelliteCount, 4);
  EXPECT_EQ(0, memcmp(&sceneState.satellites[0], &sceneState.satellites[2], 2 * sizeof(Satellite)));
}

TEST(Bound, CountZeroOrNegativeDrawsNothing) {
  for (int32_t count : {0, -1, INT_MIN}) {
    ResetScene(count);
    SpawnSatellites();
    EXPECT_EQ(sceneState.satelliteCount, 0) << count;
    EXPECT_EQ(NextRandom(), 41) << "no draw was taken for count " << count;
  }
}

TEST(Bound, HugeCountStopsAtTheBoundAndTicksOnlyTheList) {
  ResetScene(INT_MAX);
  SpawnSatellites();
  ASSERT_EQ(sceneState.satelliteCount, kMaxSatellites);

  // Exactly eight draws per satellite were taken, none beyond the bound.
  const int32_t afterSpawn = NextRandom();
  SeedRandom(1);
  for (int i = 0; i < 8 * kMaxSatellites; ++i) NextRandom();
  EXPECT_EQ(NextRandom(), afterSpawn);

  EXPECT_EQ(ActiveSatelliteCount(), kMaxSatellites);
  const int32_t lastStep = sceneState.satellites[kMaxSatellites - 1].step;
  AdvanceScene();
  EXPECT_EQ(sceneState.satellites[kMaxSatellites - 1].step,
            (lastStep + 1) % sceneState.satellites[kMaxSatellites - 1].period);
}

TEST(Bound, CountAboveTheListTicksOnlyWhatTheListHolds) {
  ResetScene(3);
  SpawnSatellites();
  numSatellites = 10;  // the setting changed after generation
  EXPECT_EQ(ActiveSatelliteCount(), 3);
  numSatellites = -5;
  EXPECT_EQ(ActiveSatelliteCount(), 0);
  const Satellite before = sceneState.satellites[0];
  AdvanceScene();
  EXPECT_EQ(sceneState.satellites[0].step, before.step);
}

}  // namespace
