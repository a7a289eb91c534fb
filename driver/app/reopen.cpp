// Ctrl+O: the saved level file read back in place of the current level.
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/level_commands.h"
#include "app/level_load.h"
#include "data/level_source.h"
#include "edit/operations.h"
#include "state/camera.h"
#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "levelfile/data_folder.h"
#include "levelfile/file_read.h"
#include "state/level_files.h"
#include "state/level_history.h"
#include "state/level_title.h"

static void reopenRefuse(const char* reason) {
  std::fprintf(stderr, "driver: %s not opened: %s\n", SharedLevelFileName, reason);
  showTitleNote("not opened: %s", reason);
}

// Copies source into target slot for slot, keeping target's own pool: the
// undo history and the element links refer to that pool's address.
static void reopenCopyInto(const Level& source, Level* target) {
  std::vector<LevelObject> pool;
  pool.swap(target->objectPool);
  *target = source;
  target->objectPool.swap(pool);  // `pool` now holds the copy of source's slots
  const LevelObject* from = source.objectPool.data();
  LevelObject* to = target->objectPool.data();
  const auto rebase = [from, to](const LevelObject* p) { return p ? to + (p - from) : nullptr; };
  for (size_t i = 0; i < pool.size(); ++i) {
    to[i] = pool[i];
    to[i].prev = rebase(pool[i].prev);
    to[i].next = rebase(pool[i].next);
  }
  target->firstObject = rebase(source.firstObject);
  target->lastObject = rebase(source.lastObject);
}

void reopenSavedLevel() {
  // The bytes the S question compares with, read just before the load: a
  // write in between makes the mark and S err on the side of asking.
  std::vector<uint8_t> bytes;
  std::string unread;
  if (readWholeFile(SharedLevelFileName, &bytes, &unread) != 0) bytes.clear();  // the load says why
  // A level of another style brings that style; the step keeps the one it replaces.
  Level saved;
  auto otherStyle = std::make_unique<Style>();
  LevelLoad load;
  if (loadLevelAndStyle(SharedLevelFileName, "", &currentStyle, &saved, otherStyle.get(), &load) != 0) {
    if (load.failed == LoadStyleIndex) return reopenRefuse("it names no style of 0..11");
    if (load.failed != LoadStyleFile) return reopenRefuse(load.reason.c_str());
    char reason[96];
    std::snprintf(reason, sizeof reason, "its style %s: %s", styleTable[saved.style].stem, load.reason.c_str());
    return reopenRefuse(reason);
  }
  if (!load.styleRead) otherStyle.reset();
  saved.titleStyle = saved.style;  // the title names what was opened, whichever slot it went into

  historyBegin();
  reopenCopyInto(saved, &currentLevel);
  if (otherStyle) std::swap(currentStyle, *otherStyle);
  centreCameraOnLevel();  // inside the step, so that undo puts the camera back too
  const bool styleChanged = otherStyle != nullptr;
  historyCommitReopen(&currentHistory, std::move(otherStyle));
  noteSharedFileHolds(editor.levelNumber, historyContent(currentHistory), bytes);
  if (styleChanged) adoptCurrentStyle();
  editor.hoverObject = nullptr;
  findHover();
  clearTitleNote();
}
