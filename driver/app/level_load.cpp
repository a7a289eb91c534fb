// The load sequence: read level and style into fresh records, bind them, and
// only then replace the current ones; the level-switch walk, which keeps an
// edited level for later and brings a kept one back; the window title.
#include "app/level_load.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_files.h"
#include "state/level_history.h"
#include "data/bind.h"
#include "data/level_source.h"
#include "platform/window.h"
#include "edit/panel_input.h"
#include "state/camera.h"
#include "state/level_title.h"
#include "render/textures.h"

// Reads and binds level `levelNumber` and its style into the given records.
// 0 on success; 1 after printing one line naming the file and the reason,
// with the reason alone in `why` for the title.
static int loadReadBound(int levelNumber, Level* level, Style* style, LoadFailure* why) {
  const std::string path = levelPathIn("", levelNumber);
  LevelLoad load;
  why->levelNumber = levelNumber;
  if (loadLevelAndStyle(path, "", nullptr, level, style, &load) == 0) return 0;
  if (load.failed == LoadStyleFile) {
    std::fprintf(stderr, "driver: cannot load %s (the style of %s): %s\n", load.stylePath.c_str(), path.c_str(),
                 load.reason.c_str());
    std::snprintf(why->reason, sizeof why->reason, "its style %s: %s", load.stylePath.c_str(), load.reason.c_str());
  } else {
    std::fprintf(stderr, "driver: cannot load %s: %s\n", path.c_str(), load.reason.c_str());
    std::snprintf(why->reason, sizeof why->reason, "%s", load.reason.c_str());
  }
  return 1;
}

// The note on the level reached about the levels passed over on the way.
static void loadNoteSkipped(const LoadFailure& first, int skipped) {
  if (skipped == 0) return;
  if (skipped == 1) showTitleNote("not loaded: level %d: %s", first.levelNumber, first.reason);
  else showTitleNote("not loaded: level %d: %s, and %d more", first.levelNumber, first.reason, skipped - 1);
}

// The EditorState fields every load puts back to their load values.
static void loadResetEditor() {
  editor.editState = Idle;
  editor.zoom = 1;
  editor.altView = 0;
  editor.itemSize = 64;
  editor.viewCentreX = clientWidth() / 2;
  editor.viewCentreY = clientHeight() / 2;
  centreCameraOnLevel();
  editor.originX = editor.viewCentreX - editor.cameraX;
  editor.originY = editor.viewCentreY - editor.cameraY;
  editor.anchorX = editor.anchorY = 0;
  editor.dragDx = editor.dragDy = 0;
  editor.dragBlocksX = editor.dragBlocksY = 0;
  editor.dragPixelsX = editor.dragPixelsY = 0;
  editor.buttonHeld = 0;
  editor.hoverObject = nullptr;
  editor.spanX = editor.spanY = 0;
  editor.barKind = BarPieces;
  editor.hoverItem = -1;
  editor.chosenItem = -1;
}

// What every load does once the level and its style are the current ones.
static void loadFinish(int levelNumber) {
  editor.levelNumber = levelNumber;
  editor.animPeriod = static_cast<int>(animPeriodOf(currentStyle));
  buildBlockTextures();
  editor.titleNote[0] = '\0';
  if (editor.window) {
    formatCurrentTitle(editor.window->title, sizeof editor.window->title);
    windowApply(editor.window);
  }
  loadResetEditor();
  setBarKind(BarPieces);
}

// Leaves the current level: kept with its style and history when it holds
// edits and keepEdits is set, else dropped with its history.
static void loadLeaveCurrent(bool keepEdits) {
  freeBlockTextures();
  if (keepEdits && currentLevelHasEdits()) keepCurrentLevel(editor.levelNumber);
  else historyClear(&currentHistory);
}

// Makes level `levelNumber` current from disk, or leaves everything as it was.
static int loadFromDisk(int levelNumber, bool keepEdits, LoadFailure* why) {
  Level level;
  Style style{};
  if (loadReadBound(levelNumber, &level, &style, why) != 0) {
    freeStyle(&style);
    return 1;
  }
  loadLeaveCurrent(keepEdits);
  currentLevel = std::move(level);
  currentStyle = std::move(style);
  noteOwnFileHolds(levelNumber, historyContent(currentHistory));  // as read, before any step
  loadFinish(levelNumber);
  return 0;
}

int loadCurrentLevel() {
  LoadFailure why{};
  return loadFromDisk(editor.levelNumber, false, &why);
}

void freeCurrentLevel() {
  freeBlockTextures();
  freeStyle(&currentStyle);
}

void showKeptLevel(int number) {
  if (!isLevelKept(number)) return;
  loadLeaveCurrent(true);
  takeKeptLevel(number);
  loadFinish(number);
}

void switchLevel(int step) {
  int candidate = editor.levelNumber;
  LoadFailure first{}, why{};
  int skipped = 0;
  for (int tried = 1; tried < LevelCount; ++tried) {
    candidate = ((candidate + step) % LevelCount + LevelCount) % LevelCount;
    if (candidate == editor.levelNumber) return;  // the walk came round: none of its levels loads
    if (isLevelKept(candidate)) {  // left with edits earlier: back as it was left
      showKeptLevel(candidate);
      return loadNoteSkipped(first, skipped);
    }
    if (loadFromDisk(candidate, true, &why) == 0) return loadNoteSkipped(first, skipped);
    if (skipped++ == 0) first = why;  // reported on standard error; keep walking
  }
}

void adoptCurrentStyle() {
  editor.animPeriod = static_cast<int>(animPeriodOf(currentStyle));
  buildBlockTextures();
  setBarKind(editor.barKind);
}

// Reads level `number` and its style without keeping them.
static int loadCheck(int number, LoadFailure* why) {
  Level level;
  Style style{};
  const int failed = loadReadBound(number, &level, &style, why);
  freeStyle(&style);
  return failed;
}

int findStartLevel(int* number, LoadFailure* first) {
  *first = LoadFailure{};
  if (loadCheck(0, first) == 0) {
    *number = 0;
    return 0;
  }
  // Without the folders every level fails alike: one line and a reminder.
  std::error_code error;
  if (!std::filesystem::is_directory("LEVELS", error) || !std::filesystem::is_directory("STYLES", error)) {
    std::fprintf(stderr, "driver: LEVELS/ and STYLES/ must be in the current directory\n");
    return 1;
  }
  LoadFailure why{};
  for (int candidate = 1; candidate < LevelCount; ++candidate) {
    if (loadCheck(candidate, &why) == 0) {
      *number = candidate;
      return 0;
    }
  }
  return 2;
}

void noteLevelsSkippedAtStart(int startLevel, const LoadFailure& first) {
  loadNoteSkipped(first, startLevel);
}
