// Undo history over the densest demo level (16): the time of an undo and a
// redo of the largest step (every element deleted), and the time and memory
// of recording steps of each kind.
//
//   build/default/bench/history_bench
//
// Undo and redo are what Ctrl+Z and Ctrl+Y do short of drawing (the step, the
// hover scan, the title); each reports manual time of that call alone.
// BM_RecordStep/<kind> times historyBegin + the edit + historyCommit and
// reports step_bytes, the memory the step holds against the history budget.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "app/level_commands.h"
#include "data/level_source.h"
#include "edit/operations.h"
#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_history.h"
#include "support/paths.h"

namespace {

constexpr int DensestDemoLevel = 16;

// Level 16 with its style, bound as a load binds it; false without demo data.
bool loadDensest() {
  static bool loaded = false;
  if (loaded) return true;
  std::error_code ec;
  std::filesystem::current_path(testpaths::demoDir(), ec);
  resetEditorState();
  LevelLoad load;
  if (ec || loadLevelAndStyle(levelPathIn("", DensestDemoLevel), "", nullptr, &currentLevel, &currentStyle, &load) != 0)
    return false;
  editor.cameraX = currentLevel.width * 8;
  editor.cameraY = currentLevel.height * 4;
  loaded = true;
  return true;
}

void selectAll() {
  for (LevelObject* o = currentLevel.firstObject; o; o = o->next) o->state = Selected;
}

// Undo (or redo) of deleting every element, timed alone; the other direction
// runs untimed between iterations.
void benchDeleteEverything(benchmark::State& state, bool timeUndo) {
  if (!loadDensest()) return state.SkipWithError("demo data not generated (build the demo_data target)");
  const uint32_t elements = currentLevel.objectCount;
  selectAll();
  historyBegin();
  deleteSelection();
  historyCommit(&currentHistory);
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    if (!timeUndo) undoEdit();
    const Clock::time_point start = Clock::now();
    timeUndo ? undoEdit() : redoEdit();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (timeUndo) redoEdit();
  }
  state.counters["elements"] = elements;
  state.counters["step_bytes"] = static_cast<double>(currentHistory.steps.back().bytes);
  undoEdit();
  historyClear(&currentHistory);
}

void BM_UndoDeleteEverything(benchmark::State& state) { benchDeleteEverything(state, true); }
BENCHMARK(BM_UndoDeleteEverything)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_RedoDeleteEverything(benchmark::State& state) { benchDeleteEverything(state, false); }
BENCHMARK(BM_RedoDeleteEverything)->UseManualTime()->Unit(benchmark::kMicrosecond);

enum StepKind { MoveOne, ToggleOne, PlacePiece, ResizeLeft, DeleteEverything };

void makeStep(int kind) {
  switch (kind) {
    case MoveOne:
      currentLevel.lastObject->state = Selected;
      editor.dragBlocksX = 1;
      moveSelection();
      break;
    case ToggleOne:
      currentLevel.firstObject->state = Selected;
      toggleTerrainFlag();
      break;
    case PlacePiece:
      startNewObject(BarPieces, 1);
      commitNewObject();
      break;
    case ResizeLeft:  // every element moves with the edge
      editor.edgeMask = EdgeLeft;
      editor.resizeDx = -1;
      applyResize();
      break;
    default:
      selectAll();
      deleteSelection();
      break;
  }
}

// Records one step of the kind, then undoes it so that every iteration starts
// from the level as loaded.
void BM_RecordStep(benchmark::State& state) {
  if (!loadDensest()) return state.SkipWithError("demo data not generated (build the demo_data target)");
  size_t bytes = 0;
  for (auto _ : state) {
    historyBegin();
    makeStep(static_cast<int>(state.range(0)));
    historyCommit(&currentHistory);
    state.PauseTiming();
    bytes = currentHistory.steps.back().bytes;
    historyUndo(&currentHistory);
    historyClear(&currentHistory);
    for (LevelObject* o = currentLevel.firstObject; o; o = o->next) o->state = 0;
    state.ResumeTiming();
  }
  state.counters["step_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RecordStep)
    ->ArgName("kind")
    ->Arg(MoveOne)
    ->Arg(ToggleOne)
    ->Arg(PlacePiece)
    ->Arg(ResizeLeft)
    ->Arg(DeleteEverything)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
