#pragma once
// The history's memory budget, shared by the steps of every level (used by
// level_history.cpp only).

#include "state/level_history.h"

// Gives a new step its serial and counts its memory.
void historyAccount(HistoryStep* step);
// A dropped step's memory no longer counts.
void historyForget(const HistoryStep& step);
// Drops the oldest steps of the run, across the current and the kept levels,
// until what is left fits historyBudget.
void historyTrim();
