// Level parse and image build times.
#include <benchmark/benchmark.h>

#include <vector>

#include "data/level.h"
#include "data/level_writer.h"
#include "support/level_fixtures.h"

namespace {

// A busy level: most of the map filled, all 64 object records used.
LevelDescription busyLevel() {
  LevelDescription d;
  d.width = 80;
  d.height = 22;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 80; ++x)
      if ((x + y) % 7 != 0) d.cells.push_back({x, y, uint32_t(1 + (x * y) % 30), (x % 2) * 0x4000u});
  for (int i = 0; i < 64; ++i) d.objects.push_back({uint32_t(i % 10), i, i % 20, 0, 0});
  return d;
}

void BM_ParsePlainLevel(benchmark::State& state) {
  std::vector<uint8_t> image = makeLevelImage(busyLevel());
  static Level level{};
  for (auto _ : state) benchmark::DoNotOptimize(parseLevel(image.data(), image.size(), &level));
  state.counters["elements"] = double(level.objectCount);
}
BENCHMARK(BM_ParsePlainLevel);

void BM_ParseCompressedLevel(benchmark::State& state) {
  std::vector<uint8_t> packed = makeCompressedLevelImage(busyLevel());
  static Level level{};
  for (auto _ : state) benchmark::DoNotOptimize(parseLevel(packed.data(), packed.size(), &level));
}
BENCHMARK(BM_ParseCompressedLevel);

void BM_BuildLevelImage(benchmark::State& state) {
  static Level level{};
  fillLevel(busyLevel(), &level);
  std::vector<uint8_t> image(LevelFileSize);
  for (auto _ : state) {
    benchmark::DoNotOptimize(buildLevelImage(level, image.data()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BuildLevelImage);

}  // namespace
