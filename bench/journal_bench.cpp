// The journal's cost, over the demo data.
//
//   build/default/bench/journal_bench
//
// BM_JournalCopies builds the recovery copy of each of the 120 demo levels
// (the main thread's share) and writes it as the writer thread does (atomic
// replace, file and folder flushed) into the real state folder; it reports the
// median and maximum per level of both, and the largest copy. BM_Frame draws
// the densest level at 1280x720 after a journal pass, with (journal 1) or
// without (journal 0) a copy falling due every frame while the writer thread
// writes; it reports the median and maximum frame and the pass alone.
#include <benchmark/benchmark.h>
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/journal.h"
#include "app/journal_writer.h"
#include "app/level_load.h"
#include "data/level_source.h"
#include "edit/edit_steps.h"
#include "render/scene.h"
#include "headless/headless_gl.h"
#include "render/textures.h"
#include "platform/window.h"
#include "state/editor_state.h"
#include "state/journal_copy.h"
#include "state/journal_store.h"
#include "support/paths.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

static double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

static void report(benchmark::State& state, const char* name, std::vector<double> ms, double scale = 1.0) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  state.counters[std::string(name) + "_median"] = ms[ms.size() / 2] * scale;
  state.counters[std::string(name) + "_max"] = ms.back() * scale;
}

// Where the journal would write, emptied afterwards.
static std::string benchFolder() {
  const std::string home = journalStateHome();
  return (home.empty() ? fs::temp_directory_path().string() : home) + "/levelkit/bench-" + std::to_string(getpid());
}

static void BM_JournalCopies(benchmark::State& state) {
  std::error_code ec;
  fs::current_path(testpaths::demoDir(), ec);
  const std::string folder = benchFolder();
  if (ec || makeRecoveryFolder(folder) != 0) {
    state.SkipWithError("no demo data, or the state folder cannot be written");
    return;
  }
  std::vector<double> encodeMs, writeMs;
  size_t largest = 0;
  for (auto _ : state) {
    for (int n = 0; n < LevelCount; ++n) {
      Level level;
      Style style{};
      LevelLoad load;
      if (loadLevelAndStyle(levelPathIn("", n), "", nullptr, &level, &style, &load) != 0) continue;
      std::vector<uint8_t> bytes;
      Clock::time_point start = Clock::now();
      encodeJournalCopy(n, level, &bytes);
      encodeMs.push_back(msSince(start));
      start = Clock::now();
      writeJournalFile(journalCopyPath(folder, thisJournalRun(), n), bytes);
      writeMs.push_back(msSince(start));
      largest = std::max(largest, bytes.size());
      freeStyle(&style);
    }
  }
  fs::remove_all(folder);
  report(state, "encode_us", encodeMs, 1000.0);
  report(state, "write_ms", writeMs);
  state.counters["largest_copy_kb"] = double(largest) / 1024.0;
}
BENCHMARK(BM_JournalCopies)->Iterations(3)->Unit(benchmark::kMillisecond);

static uint64_t benchNow = 0;
static void nudgeFirstElement() { currentLevel.firstObject->x ^= 1; }
static uint64_t benchClock() { return benchNow; }

static void BM_Frame(benchmark::State& state) {
  const bool journalling = state.range(0) != 0;
  HeadlessGl gl(1280, 720);
  std::error_code ec;
  fs::current_path(testpaths::demoDir(), ec);
  if (!gl.ok() || ec) {
    state.SkipWithError("no headless OpenGL or no demo data");
    return;
  }
  AppWindow window{};
  window.width = 1280;
  window.height = 720;
  resetEditorState();
  editor.window = &window;
  editor.quadList = buildQuadList();
  int densest = 0;
  uint32_t most = 0;
  for (int n = 0; n < LevelCount; ++n) {
    editor.levelNumber = n;
    if (loadCurrentLevel() == 0 && currentLevel.objectCount >= most) most = currentLevel.objectCount, densest = n;
  }
  editor.levelNumber = densest;
  loadCurrentLevel();
  window.width = 1280;
  window.height = 720;
  const std::string folder = benchFolder();
  setJournalClock(benchClock);
  if (journalling) journalStart(folder, thisJournalRun());
  std::vector<double> frameMs, passMs;
  for (auto _ : state) {
    editAsOneStep(nudgeFirstElement);
    benchNow += JournalDelayMs;  // a copy due at once
    const Clock::time_point start = Clock::now();
    journalPass(true);
    passMs.push_back(msSince(start));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.setPixelProjection();
    drawScene();
    glFinish();
    frameMs.push_back(msSince(start));
    state.SetIterationTime(frameMs.back() / 1000.0);
  }
  journalEnd();
  setJournalClock(nullptr);
  freeCurrentLevel();
  glDeleteLists(editor.quadList, 1);
  fs::remove_all(folder);
  state.SetLabel("level " + std::to_string(densest) + ", " + std::to_string(most) + " elements");
  report(state, "frame_ms", frameMs);
  report(state, "pass_us", passMs, 1000.0);
}
BENCHMARK(BM_Frame)->ArgName("journal")->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
