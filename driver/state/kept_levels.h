#pragma once
// Levels left with edits. Left and Right keep the level being left, with its
// style and undo history, for the rest of the run, so that coming back shows
// it as it was left; levels without edits are read from disk again.

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

extern std::vector<KeptLevel> keptLevels;  // at most one per level number

bool currentLevelHasEdits();       // steps to undo or redo, or unsaved
bool isLevelKept(int number);
// Moves the current level, style and history into the store as level
// `number`; the current records are left empty for the next level.
void keepCurrentLevel(int number);
// Moves kept level `number` into the current records and out of the store;
// false, changing nothing, when it is not kept.
bool takeKeptLevel(int number);
int unsavedLevelCount();           // the current level and the kept ones that hold unsaved edits
void clearKeptLevels();            // drops every kept level and its history
