#pragma once
// Undo and redo of the edits made to the current level.
//
// A step is the difference one user action made: the pool slots it changed,
// each before and after, the level's fields outside the pool on both sides,
// the selection on both sides, and the camera shift of a left or top resize.
// Slots keep their pool index and links, so undoing puts every element back
// in the same slot and the same list position (list order is draw order and
// file order). A reopen that brings another style keeps the style not in use.
//
// Recording: historyBegin() before an action, historyCommit() after it; an
// action that changed nothing (a refusal) leaves no step. The steps of all
// levels share one memory budget; past it the oldest steps of the run go first
// (state/kept_levels.h holds the histories and the budget).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "data/level.h"
#include "data/style.h"

struct SlotChange {
  uint32_t slot;        // index into the pool
  LevelObject before;   // the slot as the step found it
  LevelObject after;    // and as it left it
};

struct SelectionMark {
  uint32_t slot;   // an element in the list
  uint32_t state;  // its selection state, not 0
};

struct HistoryStep {
  uint64_t serial;  // creation order over the whole run; the budget drops the lowest first
  size_t bytes;     // memory the step holds, counted against the budget
  LevelHeader before, after;         // the level outside its pool, whole
  std::vector<SlotChange> slots;
  std::vector<SelectionMark> selectionBefore, selectionAfter;
  int cameraDx, cameraDy;             // camera moved by the step (a left or top resize), level pixels
  std::unique_ptr<Style> otherStyle;  // a reopen that changed the style: the style not in use
};

// A new name for a state of a level, never given before in this run; step
// serials come from the same count.
uint64_t historyNewContent();

struct LevelHistory {
  std::vector<HistoryStep> steps;  // oldest first; those from `position` on are redo steps
  size_t position = 0;            // steps applied
  uint64_t baseContent = historyNewContent();  // names the level as it stands before the first step:
                                                // as loaded, or after the steps the budget dropped
};

// Recording ------------------------------------------------------------------
void historyBegin();  // remembers the current level and camera before an action
// After the action: records its change to the current level as one step,
// dropping the redo steps, and returns 1; returns 0 (no step) when nothing
// changed.
int historyCommit(LevelHistory* history);
// After a reopen: always one step, even when the file held the level as it
// was (the selection then goes). replacedStyle is the style the reopen put
// out of use, or none; it travels with the step.
void historyCommitReopen(LevelHistory* history, std::unique_ptr<Style> replacedStyle);

// Moving through the history ----------------------------------------------------
enum HistoryMove {
  HistoryNothing = 0,     // no step to undo or redo
  HistoryMoved = 1,       // the level changed
  HistoryMovedStyle = 2,  // the level and currentStyle changed: textures and bar must follow
};
int historyUndo(LevelHistory* history);  // the last applied step, backwards; a HistoryMove
int historyRedo(LevelHistory* history);  // the next undone step, forwards; a HistoryMove

// Which state of the level the history stands at: the serial of the last
// applied step, or baseContent before any. Two moments name the same state
// exactly when the level is the same at both, whatever undo and redo did in
// between, so a file that holds one state is recorded by its name
// (state/level_files.h).
uint64_t historyContent(const LevelHistory& history);
