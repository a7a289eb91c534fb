// Start-up, shut-down and the event drain of driver.
#include "app/main_loop.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstring>

#include "state/editor_state.h"
#include "edit/keys.h"
#include "edit/mouse.h"
#include "platform/events.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "app/journal.h"
#include "app/level_commands.h"
#include "app/level_load.h"
#include "edit/panel_input.h"
#include "render/textures.h"

static constexpr int ClientWidth = 640;
static constexpr int ClientHeight = 480;

static void reportFailure() { std::fprintf(stderr, "driver: %s\n", platformError()); }

int startUp() {
  resetEditorState();
  int desktopWidth = 0, desktopHeight = 0;
  desktopSize(&desktopWidth, &desktopHeight);

  AppWindow description{};
  description.x = (desktopWidth - ClientWidth) / 2;
  description.y = (desktopHeight - ClientHeight) / 2;
  description.width = ClientWidth;
  description.height = ClientHeight;
  std::strcpy(description.title, "Temporary Window Title!");
  description.resizable = 1;
  description.decorated = 1;
  editor.window = windowCreate(&description);
  if (!editor.window) {
    reportFailure();
    shutDown();
    return 1;
  }
  editor.glContext = glContextCreate(editor.window);
  if (!editor.glContext) {
    reportFailure();
    shutDown();
    return 1;
  }
  glContextMakeCurrent(editor.glContext);

  glClearColor(0.75f, 0.75f, 0.75f, 1.0f);
  timerElapsed(&editor.timerStamp);  // only the stamp matters
  editor.quadList = buildQuadList();
  return 0;
}

void shutDown() {
  if (editor.glContext) {
    if (editor.quadList) glDeleteLists(editor.quadList, 1);
    editor.quadList = 0;
    glContextDestroy(editor.glContext);
    editor.glContext = nullptr;
  }
  windowDestroy(editor.window);
  editor.window = nullptr;
}

// Carries out the level change a key asked for, before the next event.
static void serveLevelRequest() {
  const int request = editor.levelRequest;
  editor.levelRequest = NoLevelRequest;
  // The level left is on disk before another is read.
  if (request == PreviousLevel || request == NextLevel || request == TenLevelsBack || request == TenLevelsForward)
    journalBeforeSwitch();
  switch (request) {
    case PreviousLevel: switchLevel(-1); break;
    case NextLevel: switchLevel(+1); break;
    case TenLevelsBack: switchLevel(-LevelPageStep); break;
    case TenLevelsForward: switchLevel(+LevelPageStep); break;
    case UndoRequest: undoEdit(); break;
    case RedoRequest: redoEdit(); break;
    case ReopenRequest: reopenSavedLevel(); break;
    default: break;
  }
}

void handleEvent(int kind, int a, int b) {
  switch (kind) {
    case EventClose:
      // A termination signal ends the program at once, once the journal holds
      // every unsaved edit; the close box may ask.
      if (!closeCameFromWindow()) journalOnSignal();
      if (!closeCameFromWindow() || confirmClose()) editor.quit = 1;
      break;
    case EventKeyDown:
      onKeyDown(a);
      serveLevelRequest();
      break;
    case EventKeyUp: onKeyUp(a); break;
    case EventButtonDown: onButtonDown(a); break;
    case EventMouseMove: onMouseMove(a, b); break;
    case EventButtonUp: onButtonUp(a); break;
    case EventResize: layoutPanels(); break;  // reads the window's size, which the pump has synced
    default: break;  // focus and move changes need nothing
  }
}

int drainEvents() {
  for (int handled = 0;; ++handled) {
    AppWindow* window = nullptr;  // one window: which one does not matter
    int a = 0, b = 0;
    int kind = pumpEvent(&window, &a, &b);
    // An event that maps to nothing also ends the drain; the rest waits for the next frame.
    if (kind == EventNone) return handled;
    handleEvent(kind, a, b);
  }
}
