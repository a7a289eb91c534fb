// The store of levels left with edits.
#include "state/kept_levels.h"

#include <algorithm>
#include <utility>

#include "state/editor_state.h"
#include "state/level_files.h"

std::vector<KeptLevel> keptLevels;

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
