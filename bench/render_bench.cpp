// Frame time of the level picture and level-switch time, in a headless
// 1280x720 context on the software renderer, over the demo data.
//
//   build/default/bench/render_bench
//
// Each frame benchmark reports median_ms and p95_ms of single frames
// (drawScene + glFinish); the switch benchmark reports median_ms and max_ms of
// freeCurrentLevel + loadCurrentLevel over all 120 levels. cpu_ms is the
// median CPU time of the whole process (the rasteriser's threads included),
// which a busy machine inflates less than wall time.
#include <benchmark/benchmark.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

#include "state/editor_state.h"
#include "app/level_load.h"
#include "platform/window.h"
#include "edit/panel_input.h"
#include "render/panel_draw.h"
#include "state/camera.h"
#include "state/panel_metrics.h"
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

static bool benchSkipped(benchmark::State& state, const BenchWorld& w) {
  if (!w.failure.empty()) state.SkipWithError(w.failure.c_str());
  return !w.failure.empty();
}

static double benchProcessCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall and process-CPU milliseconds of each iteration.
struct BenchSamples {
  std::vector<double> wall, cpu;
  std::chrono::steady_clock::time_point wallStart;
  double cpuStart = 0;
  void start() {
    wallStart = std::chrono::steady_clock::now();
    cpuStart = benchProcessCpuMs();
  }
  double stop() {  // wall milliseconds of this iteration
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - wallStart;
    wall.push_back(took.count());
    cpu.push_back(benchProcessCpuMs() - cpuStart);
    return took.count();
  }
};

static double benchMedian(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

static void benchReport(benchmark::State& state, const BenchSamples& s, const char* highName, double quantile) {
  if (s.wall.empty()) return;
  std::vector<double> ms = s.wall;
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  const size_t high = std::min(ms.size() - 1, static_cast<size_t>(quantile * static_cast<double>(ms.size())));
  state.counters[highName] = ms[high];
  state.counters["cpu_ms"] = benchMedian(s.cpu);
}

static void BM_Frame(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (benchSkipped(state, w)) return;
  if (editor.levelNumber != w.densestLevel || !blockTextures) benchLoad(w, w.densestLevel);
  editor.zoom = static_cast<int>(state.range(0));
  editor.altView = static_cast<int>(state.range(1));
  state.SetLabel("level " + std::to_string(w.densestLevel) + ", " +
                 std::to_string(currentLevel.objectCount) + " elements");
  BenchSamples samples;
  for (auto _ : state) {
    samples.start();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    w.gl->setPixelProjection();
    drawScene();
    glFinish();
    state.SetIterationTime(samples.stop() / 1000.0);
    editor.animFrame = (editor.animFrame + 1) % std::max(editor.animPeriod, 1);
  }
  benchReport(state, samples, "p95_ms", 0.95);
  editor.zoom = 1;
  editor.altView = 0;
}
BENCHMARK(BM_Frame)
    ->ArgNames({"zoom", "alt"})
    ->Args({1, 0})->Args({1, 1})->Args({4, 0})->Args({4, 1})
    ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Where a frame's time goes: the calls alone (no wait for the rasteriser),
// and the clear + finish that every frame pays whatever it draws.
static void BM_FrameSubmitOnly(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (benchSkipped(state, w)) return;
  if (editor.levelNumber != w.densestLevel || !blockTextures) benchLoad(w, w.densestLevel);
  BenchSamples samples;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
    samples.start();
    w.gl->setPixelProjection();
    drawScene();
    glFlush();
    state.SetIterationTime(samples.stop() / 1000.0);
    glFinish();
  }
  benchReport(state, samples, "p95_ms", 0.95);
}
BENCHMARK(BM_FrameSubmitOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

static void BM_ClearAndFinish(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (benchSkipped(state, w)) return;
  BenchSamples samples;
  for (auto _ : state) {
    samples.start();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
    state.SetIterationTime(samples.stop() / 1000.0);
  }
  benchReport(state, samples, "p95_ms", 0.95);
}
BENCHMARK(BM_ClearAndFinish)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

static void BM_LevelSwitch(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (benchSkipped(state, w)) return;
  BenchSamples samples;
  int next = 0;
  for (auto _ : state) {
    editor.levelNumber = next;
    samples.start();
    freeCurrentLevel();
    const int result = loadCurrentLevel();
    glFinish();  // texture uploads included
    state.SetIterationTime(samples.stop() / 1000.0);
    if (result != 0) {
      state.SkipWithError("a demo level failed to load");
      break;
    }
    next = (next + 1) % LevelCount;
  }
  benchReport(state, samples, "max_ms", 1.0);
  benchRestoreClient(w);
}
BENCHMARK(BM_LevelSwitch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4 * LevelCount);
