// Undo and redo of the current level's edits, and what the editor around the
// level must do after a step.
#include "app/level_commands.h"

#include "app/level_load.h"
#include "edit/operations.h"
#include "state/camera.h"
#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_history.h"
#include "state/level_title.h"

// The level changed under the editor: the camera stays on it, the hover is
// found again (its element may be gone), a new style brings its textures and
// bar, and the title shows the mark. Moving through the history is an edit,
// so the note of an earlier failure goes.
static void afterHistoryMove(int move) {
  if (move == HistoryNothing) return;
  if (move == HistoryMovedStyle) adoptCurrentStyle();
  clampCameraToLevel();
  editor.hoverObject = nullptr;
  findHover();
  clearTitleNote();
}

void undoEdit() { afterHistoryMove(historyUndo(&currentHistory)); }

void redoEdit() { afterHistoryMove(historyRedo(&currentHistory)); }
