// The store of levels left with edits.
#include "state/kept_levels.h"

#include <algorithm>
#include <utility>

#include "state/editor_state.h"

std::vector<KeptLevel> keptLevels;

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
