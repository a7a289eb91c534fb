#pragma once
// The undo histories held in memory and the budget their steps share: the
// current level's, and those of the levels left with edits. Left and Right
// keep the level being left, with its style and history, for the rest of the
// run, so that coming back shows it as it was left; levels without edits are
// read from disk again.

#include <cstddef>
#include <vector>

#include "data/level.h"
#include "data/style.h"
#include "state/level_history.h"

struct KeptLevel {
  int number;            // level number 0..119
  Level level;           // its elements link within its own pool and point into `style`
  Style style;           // the style it is bound to
  LevelHistory history;  // its undo and redo steps
};

extern LevelHistory currentHistory;        // the current level's
extern std::vector<KeptLevel> keptLevels;  // at most one per level number

// Levels ------------------------------------------------------------------------
// Steps to undo or redo, or a state its own file does not hold: reading the
// file again would lose something.
bool currentLevelHasEdits();
bool isLevelKept(int number);
// The history of level `number`: the current one's or a kept one's; none for
// a level that is neither.
const LevelHistory* historyOfLevel(int number);
// The level record of level `number`, current or kept, with its history; false when neither.
bool levelRecordOf(int number, const Level** level, const LevelHistory** history);
// Moves the current level, style and history into the store as level
// `number`; the current records are left empty for the next level.
void keepCurrentLevel(int number);
// Moves kept level `number` into the current records and out of the store;
// false, changing nothing, when it is not kept.
bool takeKeptLevel(int number);
// The numbers of the current and kept levels that hold unsaved edits, in order.
std::vector<int> unsavedLevelNumbers();
void clearKeptLevels();            // drops every kept level and its history

// Memory ------------------------------------------------------------------------
constexpr size_t DefaultHistoryBudget = size_t(64) << 20;  // bytes, all levels together
extern size_t historyBudget;                             // tests lower it

void historyClear(LevelHistory* history);  // drops every step; the level stands as a new state
size_t historyBytes();                     // held by the steps of all levels
void historyAccount(HistoryStep* step);    // a new step: gives it its serial and counts its memory
void historyForget(const HistoryStep& step);  // a dropped step's memory no longer counts
// Drops the oldest steps of the run, across the current and the kept levels,
// until what is left fits historyBudget.
void historyTrim();
