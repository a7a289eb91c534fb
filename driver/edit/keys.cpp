// Keyboard commands over the virtual-key codes the platform layer reports.

#include <cstdio>

#include "state/editor_state.h"
#include "edit/copy_paste.h"
#include "edit/edit_steps.h"
#include "edit/help.h"
#include "edit/keys.h"
#include "edit/operations.h"
#include "edit/save_commands.h"
#include "platform/virtual_keys.h"
#include "state/camera.h"
#include "edit/panel_input.h"
#include "state/kept_levels.h"
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

// Ctrl with a letter, only in Idle like Delete. Undo, redo and reopen are
// left to the event loop because they may replace the style (see
// LevelRequest); selecting and the clipboard act at once.
static void commandKey(int key) {
  if (!editor.ctrlDown || editor.editState != Idle) return;
  switch (key) {
    case VkZ: editor.levelRequest = editor.shiftDown ? RedoRequest : UndoRequest; break;
    case VkY: editor.levelRequest = RedoRequest; break;
    case VkO: editor.levelRequest = ReopenRequest; break;
    case VkA: selectAll(); break;
    case VkC: copyToClipboard(); break;
    case VkX: cutToClipboard(); break;
    case VkV: pasteFromClipboard(); break;
    default: break;
  }
}

// Without Ctrl the arrows step levels and zoom in any state; with Ctrl they
// nudge the selection by one block or row, in Idle only.
static void arrowKey(int key) {
  const bool left = key == VkLeft, right = key == VkRight, up = key == VkUp, down = key == VkDown;
  if (editor.ctrlDown) {
    if (editor.editState == Idle) nudgeSelection(right - left, down - up);
    return;
  }
  if (left) editor.levelRequest = PreviousLevel;
  if (right) editor.levelRequest = NextLevel;
  if (up) zoomIn();
  if (down) zoomOut();
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
    case VkLeft:
    case VkUp:
    case VkRight:
    case VkDown: arrowKey(key); break;
    case VkPageUp: editor.levelRequest = TenLevelsBack; break;
    case VkPageDown: editor.levelRequest = TenLevelsForward; break;
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
    case VkA:
    case VkC:
    case VkO:
    case VkV:
    case VkX:
    case VkY:
    case VkZ: commandKey(key); break;
    case VkF1: showHelp(); break;
    case VkF2: editor.statusLineShown = 1 - editor.statusLineShown; break;
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
