// The histories in memory: the levels left with edits, and the budget every
// step counts against, the oldest steps of the run going first past it.
//
// Contents: levels | memory
#include "state/kept_levels.h"

#include <algorithm>
#include <utility>

#include "state/editor_state.h"
#include "state/level_files.h"

LevelHistory currentHistory;
std::vector<KeptLevel> keptLevels;

// [levels] ------------------------------------------------------------------------

static std::vector<KeptLevel>::iterator keptFind(int number) {
  return std::find_if(keptLevels.begin(), keptLevels.end(), [number](const KeptLevel& k) { return k.number == number; });
}

bool currentLevelHasEdits() {
  if (!currentHistory.steps.empty()) return true;
  return ownFileContent(editor.levelNumber) != historyContent(currentHistory);
}

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

bool levelRecordOf(int number, const Level** level, const LevelHistory** history) {
  if (number == editor.levelNumber) {
    *level = &currentLevel;
    *history = &currentHistory;
    return true;
  }
  const auto kept = keptFind(number);
  if (kept == keptLevels.end()) return false;
  *level = &kept->level;
  *history = &kept->history;
  return true;
}

const LevelHistory* historyOfLevel(int number) {
  const Level* level = nullptr;
  const LevelHistory* history = nullptr;
  return levelRecordOf(number, &level, &history) ? history : nullptr;
}

std::vector<int> unsavedLevelNumbers() {
  std::vector<int> numbers;
  if (levelHasUnsavedEdits(editor.levelNumber)) numbers.push_back(editor.levelNumber);
  for (const KeptLevel& kept : keptLevels)
    if (levelHasUnsavedEdits(kept.number)) numbers.push_back(kept.number);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
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
// them all. The level stays the state it was: without steps before it, the
// base takes the name of the dropped step.
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
