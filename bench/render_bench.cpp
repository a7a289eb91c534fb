// Frame time of the level picture and level-switch time, in a headless
// 1280x720 context on the software renderer, over the demo data.
//
//   build/default/bench/render_bench
//
// Each frame benchmark reports median_ms and p95_ms of single frames
// (drawScene + glFinish); the switch benchmark reports median_ms and max_ms of
// freeCurrentLevel + loadCurrentLevel over all 120 levels.
#include <benchmark/benchmark.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/editor_state.h"
#include "core/level_load.h"
#include "platform/window.h"
#include "render/panels.h"
#include "render/scene.h"
#include "render/textures.h"
#include "support/egl_context.h"
#include "support/paths.h"

static constexpr int BenchWidth = 1280;
static constexpr int BenchHeight = 720;

struct BenchWorld {
  std::unique_ptr<HeadlessGl> gl;
  AppWindow window{};
  int densestLevel = -1;
  std::string failure;
};

// A load's window apply has no system window to read back from here; put the
// client size back and lay the panels out for it.
static void benchRestoreClient(BenchWorld& w) {
  w.window.width = BenchWidth;
  w.window.height = BenchHeight;
  layoutPanels();
}

static int benchLoad(BenchWorld& w, int level) {
  editor.levelNumber = level;
  const int result = loadCurrentLevel();
  benchRestoreClient(w);
  return result;
}

// Once per process: context, cwd at the demo data, and the level with the most elements.
static BenchWorld& benchWorld() {
  static BenchWorld w;
  static bool made = false;
  if (made) return w;
  made = true;
  w.gl = std::make_unique<HeadlessGl>(BenchWidth, BenchHeight);
  if (!w.gl->ok()) {
    w.failure = "headless OpenGL unavailable: " + w.gl->failure;
    return w;
  }
  std::error_code ec;
  std::filesystem::current_path(testpaths::demoDir(), ec);
  if (ec) {
    w.failure = "demo data not generated (build the demo_data target)";
    return w;
  }
  resetEditorState();
  editor.quadList = buildQuadList();
  editor.window = &w.window;
  uint32_t most = 0;
  for (int n = 0; n < LevelCount; ++n) {
    if (benchLoad(w, n) == 0 && currentLevel.objectCount >= most) {
      most = currentLevel.objectCount;
      w.densestLevel = n;
    }
  }
  if (w.densestLevel < 0) w.failure = "no demo level loads";
  return w;
}

static void benchReportSamples(benchmark::State& state, std::vector<double> ms, const char* highName, double quantile) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  const size_t high = std::min(ms.size() - 1, static_cast<size_t>(quantile * static_cast<double>(ms.size())));
  state.counters[highName] = ms[high];
}

static void BM_Frame(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (!w.failure.empty()) {
    state.SkipWithError(w.failure.c_str());
    return;
  }
  if (editor.levelNumber != w.densestLevel || !blockTextures) benchLoad(w, w.densestLevel);
  editor.zoom = static_cast<int>(state.range(0));
  editor.altView = static_cast<int>(state.range(1));
  state.SetLabel("level " + std::to_string(w.densestLevel) + ", " +
                 std::to_string(currentLevel.objectCount) + " elements");
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    w.gl->setPixelProjection();
    drawScene();
    glFinish();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count() / 1000.0);
    samples.push_back(took.count());
    editor.animFrame = (editor.animFrame + 1) % std::max(editor.animPeriod, 1);
  }
  benchReportSamples(state, samples, "p95_ms", 0.95);
  editor.zoom = 1;
  editor.altView = 0;
}
BENCHMARK(BM_Frame)
    ->ArgNames({"zoom", "alt"})
    ->Args({1, 0})->Args({1, 1})->Args({4, 0})->Args({4, 1})
    ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

static void BM_LevelSwitch(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (!w.failure.empty()) {
    state.SkipWithError(w.failure.c_str());
    return;
  }
  std::vector<double> samples;
  int next = 0;
  for (auto _ : state) {
    editor.levelNumber = next;
    const auto start = std::chrono::steady_clock::now();
    freeCurrentLevel();
    const int result = loadCurrentLevel();
    glFinish();  // texture uploads included
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count() / 1000.0);
    if (result != 0) {
      state.SkipWithError("a demo level failed to load");
      break;
    }
    samples.push_back(took.count());
    next = (next + 1) % LevelCount;
  }
  benchReportSamples(state, samples, "max_ms", 1.0);
  benchRestoreClient(w);
}
BENCHMARK(BM_LevelSwitch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4 * LevelCount);
