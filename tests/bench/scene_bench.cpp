// The cost of a tick per satellite, beside the unavoidable work of the same
// size (one double cosine and sine per satellite), and of the other scene
// routines per call.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "scene.h"

namespace {

void FillScene(int32_t count) {
  sceneState.satelliteCount = 0;
  numSatellites = count;
  SeedRandom(1);
  SpawnSatellites();
}

void PerSatellite(benchmark::State& state, int64_t count) {
  state.counters["per_satellite"] =
      benchmark::Counter(static_cast<double>(state.iterations() * count),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void AdvanceSceneTick(benchmark::State& state) {
  const int32_t count = static_cast<int32_t>(state.range(0));
  FillScene(count);
  for (auto _ : state) {
    AdvanceScene();
    benchmark::ClobberMemory();
  }
  PerSatellite(state, count);
}

// The floor: one double cosine and sine per element, of angles that move on
// each pass, stored as floats like a satellite's position.
void SineCosineBaseline(benchmark::State& state) {
  const int64_t count = state.range(0);
  std::vector<double> angles(count);
  std::vector<Vec3> out(count);
  for (int64_t i = 0; i < count; ++i) angles[i] = 0.001 * i;
  for (auto _ : state) {
    for (int64_t i = 0; i < count; ++i) {
      angles[i] += 0.02;
      out[i].x = static_cast<float>(std::cos(angles[i]));
      out[i].z = static_cast<float>(std::sin(angles[i]));
    }
    benchmark::ClobberMemory();
  }
  PerSatellite(state, count);
}

void HueToRgbaCall(benchmark::State& state) {
  HsvColor hsv = {0.0f, 1.0f, 1.0f};
  Rgba out = {};
  for (auto _ : state) {
    hsv.hue = hsv.hue < 0.999f ? hsv.hue + 0.0001f : 0.0f;
    HueToRgba(hsv, out);
    benchmark::DoNotOptimize(out);
  }
}

void SpawnSatellitesCall(benchmark::State& state) {
  const int32_t count = static_cast<int32_t>(state.range(0));
  for (auto _ : state) FillScene(count);
  state.counters["per_satellite"] =
      benchmark::Counter(static_cast<double>(state.iterations() * count),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// 1,000 is the bound on the count: a scene never holds more.
BENCHMARK(AdvanceSceneTick)->Arg(5)->Arg(100)->Arg(kMaxSatellites);
BENCHMARK(SineCosineBaseline)->Arg(5)->Arg(100)->Arg(kMaxSatellites);
BENCHMARK(HueToRgbaCall);
BENCHMARK(SpawnSatellitesCall)->Arg(5)->Arg(kMaxSatellites);

}  // namespace

BENCHMARK_MAIN();
