#include "state/editor_state.h"

#include "state/kept_levels.h"
#include "state/level_files.h"
#include "state/level_history.h"

EditorState editor;
Level currentLevel;
Style currentStyle;

void resetEditorState() {
  editor = EditorState{};
  editor.zoom = 1;
  editor.statusLineShown = 1;
  editor.editState = Idle;
  editor.hoverPanel = -1;
  editor.pressedPanel = -1;
  historyClear(&currentHistory);
  clearKeptLevels();
  clearLevelFiles();
}
