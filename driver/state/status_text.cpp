#include "state/status_text.h"

#include <cstdio>

#include "state/camera.h"
#include "state/editor_state.h"

void formatStatusText(char* out, int outSize) {
  int selected = 0;
  // A band in progress counts as released: what would be selected.
  forEachElement(currentLevel, [&](const LevelObject& o) { selected += o.state == Selected || o.state == BandMarked; });
  char block[32] = "-";
  int column = 0, row = 0;
  if (blockUnderPointer(&column, &row)) std::snprintf(block, sizeof block, "%d, %d", column, row);
  std::snprintf(out, static_cast<size_t>(outSize),
                "block %s   level %d x %d   selected %d   objects %d/%d   elements %u/%d   zoom %d", block,
                currentLevel.width, currentLevel.height, selected, objectRecordCount(currentLevel),
                LevelObjectRecords, currentLevel.objectCount, LevelPoolSize, editor.zoom);
}
