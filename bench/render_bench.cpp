// Frame time of the level picture and level-switch time, in a headless
// context on the software renderer, over the demo data.
//
//   build/default/bench/render_bench
//
// Each frame benchmark reports median_ms and p95_ms of single frames
// (drawing + glFinish) on the densest demo level, at 1280x720 and 1920x1080
// (argument `height`): BM_Frame the editor's drawScene, BM_FramePan the same
// with the camera moving one level pixel per frame, BM_FrameReference the
// same scene drawn block by block as the editor used to, BM_FloorOneQuad the
// least any frame costs (clear, one window-sized textured quad, finish). The
// switch benchmark reports median_ms and max_ms of freeCurrentLevel +
// loadCurrentLevel over all 120 levels. cpu_ms is the median CPU time of the
// whole process (the rasteriser's threads included), which a busy machine
// inflates less than wall time.
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
#include "headless/headless_gl.h"
#include "support/paths.h"
#include "support/reference_scene.h"

static constexpr int SmallHeight = 720;   // 1280 x 720
static constexpr int LargeHeight = 1080;  // 1920 x 1080, a maximised window

static int benchWidthFor(int height) { return height * 16 / 9; }

struct BenchWorld {
  std::unique_ptr<HeadlessGl> gl;
  AppWindow window{};
  int densestLevel = -1;
  std::string failure;
};

// A load's window apply has no system window to read back from here; put the
// client size back and lay the panels out for it.
static void benchRestoreClient(BenchWorld& w) {
  w.window.width = w.gl->width;
  w.window.height = w.gl->height;
  layoutPanels();
}

static int benchLoad(BenchWorld& w, int level) {
  editor.levelNumber = level;
  const int result = loadCurrentLevel();
  benchRestoreClient(w);
  return result;
}

// A context of the given height (and 16:9 width) with quadList built; the
// previous context's textures and list go with it.
static bool benchMakeContext(BenchWorld& w, int height) {
  if (w.gl) {
    freeCurrentLevel();
    glDeleteLists(editor.quadList, 1);
    w.gl.reset();
  }
  w.gl = std::make_unique<HeadlessGl>(benchWidthFor(height), height);
  if (!w.gl->ok()) {
    w.failure = "headless OpenGL unavailable: " + w.gl->failure;
    return false;
  }
  editor.quadList = buildQuadList();
  return true;
}

// Once per process: cwd at the demo data, and the level with the most elements.
static BenchWorld& benchWorld() {
  static BenchWorld w;
  static bool made = false;
  if (made) return w;
  made = true;
  resetEditorState();
  editor.window = &w.window;
  if (!benchMakeContext(w, SmallHeight)) return w;
  std::error_code ec;
  std::filesystem::current_path(testpaths::demoDir(), ec);
  if (ec) {
    w.failure = "demo data not generated (build the demo_data target)";
    return w;
  }
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

// The densest level loaded into a context of the given height.
static void benchDensestAt(BenchWorld& w, int height) {
  if (w.gl->height != height && !benchMakeContext(w, height)) return;
  if (editor.levelNumber != w.densestLevel || !blockTextures) benchLoad(w, w.densestLevel);
  benchRestoreClient(w);
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

// Frames of the densest level drawn by `draw`, the animation advancing one
// frame per iteration (and, when panning, the camera one level pixel, to and
// fro across the level, so no frame repeats the one before); arguments zoom,
// alt and height.
static void benchFrames(benchmark::State& state, void (*draw)(), bool pan = false) {
  BenchWorld& w = benchWorld();
  if (benchSkipped(state, w)) return;
  benchDensestAt(w, static_cast<int>(state.range(2)));
  if (benchSkipped(state, w)) return;
  editor.zoom = static_cast<int>(state.range(0));
  editor.altView = static_cast<int>(state.range(1));
  state.SetLabel("level " + std::to_string(w.densestLevel) + ", " +
                 std::to_string(currentLevel.objectCount) + " elements");
  const int restX = editor.cameraX, span = std::max(currentLevel.width * LevelPixelsPerBlock, 1);
  int step = 1;
  BenchSamples samples;
  for (auto _ : state) {
    samples.start();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    w.gl->setPixelProjection();
    draw();
    glFinish();
    state.SetIterationTime(samples.stop() / 1000.0);
    editor.animFrame = (editor.animFrame + 1) % std::max(editor.animPeriod, 1);
    if (pan) {
      if (editor.cameraX + step < 0 || editor.cameraX + step > span) step = -step;
      editor.cameraX += step;
    }
  }
  benchReport(state, samples, "p95_ms", 0.95);
  editor.cameraX = restX;
  editor.zoom = 1;
  editor.altView = 0;
}

static void BM_Frame(benchmark::State& state) { benchFrames(state, drawScene); }
static void BM_FramePan(benchmark::State& state) { benchFrames(state, drawScene, true); }
static void BM_FrameReference(benchmark::State& state) { benchFrames(state, drawSceneReference); }

static void benchFrameArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"zoom", "alt", "height"});
  for (int height : {SmallHeight, LargeHeight})
    for (int zoom : {1, 4})
      for (int alt : {0, 1}) b->Args({zoom, alt, height});
  b->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
}
BENCHMARK(BM_Frame)->Apply(benchFrameArgs);
BENCHMARK(BM_FramePan)->Apply(benchFrameArgs);
BENCHMARK(BM_FrameReference)->Apply(benchFrameArgs);

// The floor under every frame: clear, one textured quad over the whole
// window sampled texel for pixel, finish.
static void BM_FloorOneQuad(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (benchSkipped(state, w)) return;
  benchDensestAt(w, static_cast<int>(state.range(0)));
  if (benchSkipped(state, w)) return;
  const int width = w.gl->width, height = w.gl->height;
  constexpr int TextureSize = 2048;  // a power of two covering either window
  std::vector<uint8_t> texels(static_cast<size_t>(TextureSize) * TextureSize * 3);
  for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint8_t>(i * 7);
  unsigned texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, TextureSize, TextureSize, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  const float s1 = static_cast<float>(width) / TextureSize, t1 = static_cast<float>(height) / TextureSize;
  BenchSamples samples;
  for (auto _ : state) {
    samples.start();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    w.gl->setPixelProjection();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(0, 0);
    glTexCoord2f(0.0f, t1);
    glVertex2i(0, height);
    glTexCoord2f(s1, 0.0f);
    glVertex2i(width, 0);
    glTexCoord2f(s1, t1);
    glVertex2i(width, height);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glFinish();
    state.SetIterationTime(samples.stop() / 1000.0);
  }
  glDeleteTextures(1, &texture);
  benchReport(state, samples, "p95_ms", 0.95);
}
BENCHMARK(BM_FloorOneQuad)
    ->ArgNames({"height"})->Arg(SmallHeight)->Arg(LargeHeight)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Where a frame's time goes: the calls alone (no wait for the rasteriser),
// and the clear + finish that every frame pays whatever it draws.
static void BM_FrameSubmitOnly(benchmark::State& state) {
  BenchWorld& w = benchWorld();
  if (benchSkipped(state, w)) return;
  benchDensestAt(w, SmallHeight);
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
  benchDensestAt(w, SmallHeight);
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
