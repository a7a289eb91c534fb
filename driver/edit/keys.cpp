// Keyboard commands over the virtual-key codes the platform layer reports.

#include <cstdio>

#include "state/editor_state.h"
#include "edit/edit_steps.h"
#include "edit/help.h"
#include "edit/keys.h"
#include "edit/operations.h"
#include "edit/save_commands.h"
#include "platform/virtual_keys.h"
#include "state/camera.h"
#include "edit/panel_input.h"
#include "state/level_history.h"
#include "state/level_title.h"

// S writes LEVEL___.DAT; with Ctrl the shown level's own file, with Ctrl and
// Shift every level's that holds unsaved edits. Any state: a drag in progress
// is saved as it stood before the drag.
static void saveKey() {
  if (!editor.ctrlDown) saveSharedFile();
  else if (editor.shiftDown) saveAllOwnFiles();
  else saveOwnFile(editor.levelNumber);
}

// Ctrl with a letter: undo, redo and reopen, left to the event loop because
// they may replace the style (see LevelRequest). Like Delete, only in Idle.
static void commandKey(int key) {
  if (!editor.ctrlDown || editor.editState != Idle) return;
  if (key == VkZ) editor.levelRequest = editor.shiftDown ? RedoRequest : UndoRequest;
  if (key == VkY) editor.levelRequest = RedoRequest;
  if (key == VkO) editor.levelRequest = ReopenRequest;
}

void onKeyDown(int key) {
  const bool idle = editor.editState == Idle;
  switch (key) {
    case VkBackspace: editor.altView = 1 - editor.altView; break;
    case VkShift: editor.shiftDown = 1; break;
    case VkControl: editor.ctrlDown = 1; break;
    case VkEscape:
      if (idle || editor.editState == Placing) {
        clearSelection();
        if (editor.editState == Placing) editor.editState = Idle;
      }
      break;
    case VkSpace:
      editor.key32Down = 1;
      if (idle) editor.editState = StartViewReady;
      break;
    case VkLeft: editor.levelRequest = PreviousLevel; break;
    case VkUp: zoomIn(); break;
    case VkRight: editor.levelRequest = NextLevel; break;
    case VkDown: zoomOut(); break;
    case VkDelete:
      if (idle) editAsOneStep(deleteSelection);
      break;
    case Vk1:
      if (idle && editor.barKind != BarObjects) setBarKind(BarObjects);
      break;
    case Vk2:
      if (idle && editor.barKind != BarPieces) setBarKind(BarPieces);
      break;
    case Vk3:
      if (idle) editAsOneStep(toggleTerrainFlag);
      break;
    case VkS: saveKey(); break;
    case VkO:
    case VkY:
    case VkZ: commandKey(key); break;
    case VkF1: showHelp(); break;
    default: break;
  }
}

void onKeyUp(int key) {
  switch (key) {
    case VkShift: editor.shiftDown = 0; break;
    case VkControl: editor.ctrlDown = 0; break;
    case VkSpace:
      editor.key32Down = 0;
      // An unfinished start-view drag is abandoned.
      if (editor.editState == StartViewReady || editor.editState == MovingStartView)
        editor.editState = Idle;
      editor.anchorX = editor.mouseX;
      editor.anchorY = editor.mouseY;
      findHover();
      break;
    default: break;
  }
}
