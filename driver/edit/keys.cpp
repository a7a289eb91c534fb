// Keyboard commands over the virtual-key codes the platform layer reports,
// and the save key's report in the window title.

#include <cstdio>
#include <cstring>

#include "state/editor_state.h"
#include "data/failure.h"
#include "data/level_writer.h"
#include "edit/keys.h"
#include "edit/operations.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "state/camera.h"
#include "edit/panel_input.h"
#include "state/level_title.h"

static const char* const SavePath = "LEVEL___.DAT";

// The title a load gives the current level.
static void plainTitle(char* out, int outSize) {
  out[0] = '\0';
  formatLevelTitle(editor.levelNumber, currentLevel.name, out, outSize);
}

// A failed save is shown in the title as well as on standard error, so a user
// without a terminal learns that the file on disk is not the level on screen.
// A later successful save (or the next load) brings the plain title back.
static void showSaveResult(int failed) {
  AppWindow* window = editor.window;
  if (!window) return;
  char title[sizeof window->title];
  plainTitle(title, sizeof title);
  if (failed) {
    const size_t used = std::strlen(title);
    std::snprintf(title + used, sizeof title - used, " (not saved: %s)", failureReason());
  }
  if (std::strcmp(title, window->title) == 0) return;
  std::memcpy(window->title, title, sizeof title);
  windowApply(window);
}

static void saveCurrentLevel() {
  const int failed = saveLevel(SavePath, currentLevel) != 0;
  if (failed) std::fprintf(stderr, "driver: %s not saved: %s\n", SavePath, failureReason());
  showSaveResult(failed);
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
      if (idle) deleteSelection();
      break;
    case Vk1:
      if (idle && editor.barKind != BarObjects) setBarKind(BarObjects);
      break;
    case Vk2:
      if (idle && editor.barKind != BarPieces) setBarKind(BarPieces);
      break;
    case Vk3:
      if (idle) toggleTerrainFlag();
      break;
    case VkS: saveCurrentLevel(); break;
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
