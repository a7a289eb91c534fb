// The history's memory budget: every step counts the memory it holds, and the
// oldest steps of the run go first once the total passes the budget.
#include "state/history_memory.h"

#include "state/kept_levels.h"

size_t historyBudget = DefaultHistoryBudget;
static size_t bytesInUse;
static uint64_t nextSerial;

static size_t historyPatternBytes(const std::vector<BlockPattern>& patterns) {
  size_t bytes = patterns.capacity() * sizeof(BlockPattern);
  for (const BlockPattern& p : patterns) bytes += p.cells.capacity() * sizeof(int32_t);
  return bytes;
}

static size_t historyStyleBytes(const Style& style) {
  size_t bytes = sizeof(Style) + style.blockPixels.capacity() + historyPatternBytes(style.pieces) +
                 historyPatternBytes(style.anims) + style.objectDefs.capacity() * sizeof(ObjectDef);
  for (const ObjectDef& def : style.objectDefs)
    bytes += def.partAnim.capacity() * sizeof(BlockPattern*) +
             (def.partDx.capacity() + def.partDy.capacity() + def.partMode.capacity() + def.partExtra.capacity()) *
                 sizeof(int32_t);
  return bytes;
}

// From 1, so that 0 names no state.
uint64_t historyNewContent() { return ++nextSerial; }

void historyAccount(HistoryStep* step) {
  step->serial = historyNewContent();
  step->bytes = sizeof(HistoryStep) + step->slots.capacity() * sizeof(SlotChange) +
                (step->selectionBefore.capacity() + step->selectionAfter.capacity()) * sizeof(SelectionMark) +
                (step->otherStyle ? historyStyleBytes(*step->otherStyle) : 0);
  bytesInUse += step->bytes;
}

void historyForget(const HistoryStep& step) { bytesInUse -= step.bytes; }

size_t historyBytes() { return bytesInUse; }

void historyClear(LevelHistory* history) {
  for (const HistoryStep& step : history->steps) historyForget(step);
  *history = LevelHistory{};
}

// Drops the oldest step of one level. Steps apply in order, so only an undo
// step can go from the front; a history holding nothing but redo steps loses
// them all.
// The level stays the state it was: without steps before it, the base takes
// the name of the dropped step.
static void historyDropOldest(LevelHistory* history) {
  if (history->position == 0) {
    for (const HistoryStep& step : history->steps) historyForget(step);
    history->steps.clear();
    return;
  }
  historyForget(history->steps.front());
  history->baseContent = history->steps.front().serial;
  history->steps.erase(history->steps.begin());
  history->position--;
}

// The history whose front step is the oldest of the run, or none.
static LevelHistory* historyHoldingOldest() {
  LevelHistory* oldest = currentHistory.steps.empty() ? nullptr : &currentHistory;
  for (KeptLevel& kept : keptLevels) {
    if (kept.history.steps.empty()) continue;
    if (!oldest || kept.history.steps.front().serial < oldest->steps.front().serial) oldest = &kept.history;
  }
  return oldest;
}

void historyTrim() {
  while (bytesInUse > historyBudget) {
    LevelHistory* oldest = historyHoldingOldest();
    if (!oldest) return;
    historyDropOldest(oldest);
  }
}
