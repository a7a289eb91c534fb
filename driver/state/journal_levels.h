#pragma once
// The journal's view of the editor's levels: which hold unsaved edits, where
// their records are, and how a restored level joins them. The one place that
// knows how "unsaved" is decided (the `*` mark), so the journal follows it.

#include <vector>

#include "data/level.h"
#include "data/style.h"

// The numbers of the levels held in memory: the current one, then the kept ones.
std::vector<int> levelsInMemory();
// Level `number` is in memory and holds edits no file holds.
bool levelHoldsUnsavedEdits(int number);
// Its record, or none when it is not in memory.
const Level* levelInMemory(int number);
// Keeps a level read back from a recovery copy: unsaved, with no undo steps
// before it. Replaces a kept level of that number.
void keepRestoredLevel(int number, Level level, Style style);
