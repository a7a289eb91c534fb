// Undo history as differences of the element pool.
//
// Contents: begin and commit | applying a step | content
#include "state/level_history.h"

#include <utility>

#include "state/editor_state.h"
#include "state/kept_levels.h"

// Every field but the selection state, which the steps keep apart: selecting
// is not an edit, yet an undo brings the selection back.
static bool historySameBesidesSelection(LevelObject a, const LevelObject& b) {
  a.state = b.state;
  return a == b;
}

// [begin and commit] ----------------------------------------------------------------

// The level and camera as historyBegin found them.
struct PendingStep {
  bool active;
  LevelHeader header;
  std::vector<LevelObject> pool;
  int cameraX, cameraY;
};
static PendingStep pending;

void historyBegin() {
  pending.active = true;
  pending.header = currentLevel;
  pending.pool = currentLevel.objectPool;
  pending.cameraX = editor.cameraX;
  pending.cameraY = editor.cameraY;
}

static std::vector<SelectionMark> historySelectionOf(const std::vector<LevelObject>& pool) {
  std::vector<SelectionMark> marks;
  for (size_t i = 0; i < pool.size(); ++i)
    if (pool[i].inUse && pool[i].state != 0) marks.push_back({static_cast<uint32_t>(i), pool[i].state});
  marks.shrink_to_fit();
  return marks;
}

// Drops the redo steps: a new edit after an undo starts a new branch.
static void historyDropRedo(LevelHistory* history) {
  while (history->steps.size() > history->position) {
    historyForget(history->steps.back());
    history->steps.pop_back();
  }
}

static int historyRecord(LevelHistory* history, bool evenIfUnchanged, std::unique_ptr<Style> replacedStyle) {
  if (!pending.active) return 0;
  pending.active = false;
  const std::vector<LevelObject>& pool = currentLevel.objectPool;
  HistoryStep step{};
  step.before = pending.header;
  step.after = currentLevel;
  for (size_t i = 0; i < pool.size() && i < pending.pool.size(); ++i) {
    if (!historySameBesidesSelection(pool[i], pending.pool[i]))
      step.slots.push_back({static_cast<uint32_t>(i), pending.pool[i], pool[i]});
  }
  if (!evenIfUnchanged && step.slots.empty() && step.before == step.after) return 0;
  step.slots.shrink_to_fit();
  step.selectionBefore = historySelectionOf(pending.pool);
  step.selectionAfter = historySelectionOf(pool);
  step.cameraDx = editor.cameraX - pending.cameraX;
  step.cameraDy = editor.cameraY - pending.cameraY;
  step.otherStyle = std::move(replacedStyle);

  historyDropRedo(history);
  historyAccount(&step);
  history->steps.push_back(std::move(step));
  history->position++;
  historyTrim();
  return 1;
}

int historyCommit(LevelHistory* history) { return historyRecord(history, false, nullptr); }

void historyCommitReopen(LevelHistory* history, std::unique_ptr<Style> replacedStyle) {
  historyRecord(history, true, std::move(replacedStyle));
}

// [applying a step] --------------------------------------------------------------------

static int historyApply(HistoryStep* step, bool backwards) {
  std::vector<LevelObject>& pool = currentLevel.objectPool;
  for (LevelObject& o : pool)
    if (o.inUse) o.state = 0;
  for (const SlotChange& change : step->slots) pool[change.slot] = backwards ? change.before : change.after;
  for (const SelectionMark& mark : backwards ? step->selectionBefore : step->selectionAfter)
    pool[mark.slot].state = mark.state;
  static_cast<LevelHeader&>(currentLevel) = backwards ? step->before : step->after;
  const int sign = backwards ? -1 : 1;
  editor.cameraX += sign * step->cameraDx;
  editor.cameraY += sign * step->cameraDy;
  if (!step->otherStyle) return HistoryMoved;
  std::swap(currentStyle, *step->otherStyle);
  return HistoryMovedStyle;
}

int historyUndo(LevelHistory* history) {
  if (history->position == 0) return HistoryNothing;
  history->position--;
  return historyApply(&history->steps[history->position], true);
}

int historyRedo(LevelHistory* history) {
  if (history->position == history->steps.size()) return HistoryNothing;
  history->position++;
  return historyApply(&history->steps[history->position - 1], false);
}

// [content] ----------------------------------------------------------------------------

uint64_t historyContent(const LevelHistory& history) {
  return history.position == 0 ? history.baseContent : history.steps[history.position - 1].serial;
}
