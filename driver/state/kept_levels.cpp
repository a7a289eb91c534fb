// The histories in memory: the levels left with edits, and the budget every
// step counts against, the oldest steps of the run going first past it.
//
// Contents: levels | memory
#include "state/kept_levels.h"

#include <algorithm>
#include <utility>

#include "state/editor_state.h"

LevelHistory currentHistory;
std::vector<KeptLevel> keptLevels;

// [levels] ------------------------------------------------------------------------

static std::vector<KeptLevel>::iterator keptFind(int number) {
  return std::find_if(keptLevels.begin(), keptLevels.end(), [number](const KeptLevel& k) { return k.number == number; });
}

bool currentLevelHasEdits() { return !currentHistory.steps.empty() || historyUnsaved(currentHistory); }

bool isLevelKept(int number) { return keptFind(number) != keptLevels.end(); }

void keepCurrentLevel(int number) {
  const auto old = keptFind(number);
  if (old != keptLevels.end()) {
    historyClear(&old->history);
    keptLevels.erase(old);
  }
  keptLevels.push_back(KeptLevel{number, std::move(currentLevel), std::move(currentStyle), std::move(currentHistory)});
  currentHistory = LevelHistory{};
}

bool takeKeptLevel(int number) {
  const auto kept = keptFind(number);
  if (kept == keptLevels.end()) return false;
  currentLevel = std::move(kept->level);
  currentStyle = std::move(kept->style);
  historyClear(&currentHistory);
  currentHistory = std::move(kept->history);
  keptLevels.erase(kept);
  return true;
}

int unsavedLevelCount() {
  int count = historyUnsaved(currentHistory) ? 1 : 0;
  for (const KeptLevel& kept : keptLevels) count += historyUnsaved(kept.history) ? 1 : 0;
  return count;
}

void clearKeptLevels() {
  for (KeptLevel& kept : keptLevels) historyClear(&kept.history);
  keptLevels.clear();
}

// [memory] ------------------------------------------------------------------------

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

void historyAccount(HistoryStep* step) {
  step->serial = nextSerial++;
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
static void historyDropOldest(LevelHistory* history) {
  if (history->position == 0) {
    const long saved = history->savedPosition;
    historyClear(history);
    if (saved != 0) history->savedPosition = -1;
    return;
  }
  historyForget(history->steps.front());
  history->steps.erase(history->steps.begin());
  history->position--;
  history->savedPosition = history->savedPosition > 0 ? history->savedPosition - 1 : -1;
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
