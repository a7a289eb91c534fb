// The journal's view of the editor's levels, over the kept levels and the
// unsaved mark (state/level_files.h).
#include "state/journal_levels.h"

#include <utility>

#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_files.h"
#include "state/level_history.h"

static const KeptLevel* keptLevelRecord(int number) {
  for (const KeptLevel& kept : keptLevels)
    if (kept.number == number) return &kept;
  return nullptr;
}

std::vector<int> levelsInMemory() {
  std::vector<int> numbers{editor.levelNumber};
  for (const KeptLevel& kept : keptLevels)
    if (kept.number != editor.levelNumber) numbers.push_back(kept.number);
  return numbers;
}

bool levelHoldsUnsavedEdits(int number) { return levelHasUnsavedEdits(number); }

const Level* levelInMemory(int number) {
  if (number == editor.levelNumber) return &currentLevel;
  const KeptLevel* kept = keptLevelRecord(number);
  return kept ? &kept->level : nullptr;
}

void keepRestoredLevel(int number, Level level, Style style) {
  for (auto it = keptLevels.begin(); it != keptLevels.end(); ++it) {
    if (it->number != number) continue;
    historyClear(&it->history);
    freeStyle(&it->style);
    keptLevels.erase(it);
    break;
  }
  // A new history names a state no file holds: the mark stays until a save.
  keptLevels.push_back(KeptLevel{number, std::move(level), std::move(style), LevelHistory{}});
}
