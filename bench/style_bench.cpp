// Load and decode times of the twelve generated styles: loadStyle (read,
// size and CRC check, decompression, decoding) and decodeStyle alone on the
// bytes in memory. Run with --benchmark_repetitions=N for medians.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "data/style.h"
#include "support/files.h"
#include "support/paths.h"

namespace {

void BM_LoadStyle(benchmark::State& state) {
  int index = static_cast<int>(state.range(0));
  char here[4096];
  if (!getcwd(here, sizeof here) || chdir(testpaths::demoDir()) != 0) {
    state.SkipWithError("no demo data");
    return;
  }
  auto style = std::make_unique<Style>();
  for (auto _ : state) {
    if (loadStyle(index, style.get()) != 0) state.SkipWithError("style does not load");
    benchmark::DoNotOptimize(style->blockPixels.data());
  }
  state.SetLabel(styleTable[index].stem);
  if (chdir(here) != 0) state.SkipWithError("cannot return to the working directory");
}
BENCHMARK(BM_LoadStyle)->DenseRange(0, StyleCount - 1)->Unit(benchmark::kMicrosecond);

void BM_DecodeStyle(benchmark::State& state) {
  int index = static_cast<int>(state.range(0));
  std::vector<uint8_t> bytes =
      readFileBytes(std::string(testpaths::demoDir()) + "/STYLES/" + styleTable[index].stem + ".DAT");
  auto style = std::make_unique<Style>();
  for (auto _ : state) {
    if (decodeStyle(index, bytes.data(), bytes.size(), style.get()) != 0)
      state.SkipWithError("style does not decode");
    benchmark::DoNotOptimize(style->blockPixels.data());
  }
  state.SetLabel(std::string(styleTable[index].stem) +
                 (bytes.size() > 4 && bytes[0] == 'G' ? " (GSCM)" : ""));
}
BENCHMARK(BM_DecodeStyle)->DenseRange(0, StyleCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
