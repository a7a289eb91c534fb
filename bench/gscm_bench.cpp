// Decompression throughput, in bytes of output per second.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "compress/gscm_compress.h"
#include "data/gscm.h"
#include "support/level_fixtures.h"

namespace {

// About 100 KB shaped like a style's block pixels: 16 x 8 tiles of palette
// indices drawn from a few shades each, with some tiles repeated.
std::vector<uint8_t> styleLikeBytes() {
  std::mt19937 rng(3);
  std::vector<uint8_t> bytes;
  std::vector<std::vector<uint8_t>> tiles;
  while (bytes.size() < 100 * 1024) {
    std::vector<uint8_t> tile(128);
    if (!tiles.empty() && rng() % 4 == 0) {
      tile = tiles[rng() % tiles.size()];
    } else {
      uint8_t base = uint8_t(rng() % 120);
      for (uint8_t& p : tile) p = uint8_t(base + (rng() % 8 < 5 ? 0 : rng() % 4));
      tiles.push_back(tile);
    }
    bytes.insert(bytes.end(), tile.begin(), tile.end());
  }
  return bytes;
}

std::vector<uint8_t> levelLikeBytes() {
  LevelDescription d;
  d.width = 60;
  d.height = 25;  // the most rows a 60-wide level can store is 27
  for (int y = 10; y < 25; ++y)
    for (int x = 0; x < 60; ++x)
      if ((x * 7 + y * 3) % 11 != 0) d.cells.push_back({x, y, uint32_t(1 + (x + y) % 9), 0});
  for (int i = 0; i < 20; ++i) d.objects.push_back({uint32_t(i % 6), i * 3, 10, 0, 0});
  return makeLevelImage(d);
}

void decompressBench(benchmark::State& state, const std::vector<uint8_t>& plain) {
  std::vector<uint8_t> packed = gscmCompress(plain.data(), plain.size());
  std::vector<uint8_t> out;
  uint32_t status = 0;
  for (auto _ : state) {
    bool ok = gscmDecompress(packed.data(), uint32_t(packed.size()), &out, &status);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(out.data());
  }
  if (out != plain) state.SkipWithError("round trip differs");
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
  state.counters["ratio"] = double(plain.size()) / double(packed.size());
}

void BM_DecompressStyleSized(benchmark::State& state) {
  static const std::vector<uint8_t> plain = styleLikeBytes();
  decompressBench(state, plain);
}
BENCHMARK(BM_DecompressStyleSized);

void BM_DecompressLevelSized(benchmark::State& state) {
  static const std::vector<uint8_t> plain = levelLikeBytes();
  decompressBench(state, plain);
}
BENCHMARK(BM_DecompressLevelSized);

void BM_CompressStyleSized(benchmark::State& state) {
  static const std::vector<uint8_t> plain = styleLikeBytes();
  for (auto _ : state) benchmark::DoNotOptimize(gscmCompress(plain.data(), plain.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
}
BENCHMARK(BM_CompressStyleSized);

}  // namespace
