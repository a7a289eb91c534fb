// The mouse handlers: route events to the panels or drive editState over the
// level. The steps of each handler run in a fixed order; several transitions
// (a right press during a drag, a left press while panning) rely on a later
// step seeing the state an earlier step left.
#include "edit/mouse.h"

#include "state/editor_state.h"
#include "edit/edit_steps.h"
#include "edit/operations.h"
#include "platform/events.h"
#include "edit/panel_input.h"
#include "state/camera.h"
#include "state/panel_metrics.h"

// Every drag field back to 0; a press starts a record from here, a release ends it.
static void mouseClearDrag() {
  editor.dragDx = editor.dragDy = 0;
  editor.dragBlocksX = editor.dragBlocksY = 0;
  editor.dragPixelsX = editor.dragPixelsY = 0;
  editor.spanX = editor.spanY = 0;
  editor.resizeDx = editor.resizeDy = 0;
}

// A right press aborts a left drag or a sizing and starts a pan. Each test
// sees the state the previous one left: a dropped drag continues into Panning.
static void mouseRightPress() {
  int& state = editor.editState;
  if (state == ResizingLevel) state = Idle;
  if (state == MovingSelection) state = Idle;
  if (state == BandSelecting) {
    dropMarks();
    state = Idle;
    findHover();
  }
  if (state == SizingNewObject) {
    state = Placing;
    startNewObject(static_cast<int>(editor.newObject.kind), static_cast<int>(editor.newObject.value));
  }
  if (state == Idle) state = Panning;
  if (state == Placing) state = PanningWhilePlacing;
}

static bool mouseInsideStartView() {
  const int left = columnToClientX(currentLevel.startX), right = columnToClientX(currentLevel.startX + LevelStartViewBlocks);
  const int top = rowToClientY(currentLevel.startY), bottom = rowToClientY(currentLevel.startY + LevelStartViewBlocks);
  return editor.anchorX >= left && editor.anchorX < right && editor.anchorY >= top && editor.anchorY < bottom;
}

// A left press on the level in Idle: resize, move the selection or start a band.
static void mouseLeftPressIdle() {
  int& state = editor.editState;
  if (editor.edgeMask != 0) {
    state = ResizingLevel;
    return;
  }
  if (anySelectedAt()) {
    state = MovingSelection;
  } else if (!editor.shiftDown && !editor.ctrlDown) {
    clearSelection();
    state = BandSelecting;
    if (findHover()) {
      state = MovingSelection;
      editor.hoverObject->state = Selected;
    }
  }
  if (editor.shiftDown || editor.ctrlDown) state = BandSelecting;
  if (editor.shiftDown) markBand(0);
  if (editor.ctrlDown) markBand(1);
}

static bool mouseIsWheel(int button) { return button == WheelAway || button == WheelToward; }

void onButtonDown(int button) {
  // Over the item bar, in Idle or while an item is picked, the wheel scrolls it.
  const bool overBar = panelContains(&editor.panels[0], editor.mouseX, editor.mouseY);
  if (mouseIsWheel(button) && overBar && (editor.editState == Idle || editor.editState == Placing)) {
    scrollBarByWheel(button == WheelToward ? 1 : -1);
    return;
  }
  if (editor.hoverPanel != -1) {
    editor.pressedPanel = editor.hoverPanel;
    panelPress(&editor.panels[editor.pressedPanel], button);
    if (editor.pressedPanel == 0) chooseItem(button);
    return;
  }

  // Every press on the level starts a drag record, wheel steps included.
  editor.anchorX = editor.mouseX;
  editor.anchorY = editor.mouseY;
  mouseClearDrag();
  editor.buttonHeld = 1;

  if (button == ButtonRight) mouseRightPress();
  if (button == ButtonLeft) {
    if (editor.editState == Panning) editor.editState = Idle;  // the pan so far is dropped
    if (editor.editState == Placing) editor.editState = SizingNewObject;
  }
  if (button == WheelAway) zoomIn();
  if (button == WheelToward) zoomOut();

  if (editor.altView == 1) return;  // only panning and zooming in the alternate view
  if (button == ButtonLeft && editor.editState == StartViewReady && mouseInsideStartView()) {
    editor.editState = MovingStartView;
  }
  if (button != ButtonLeft || editor.editState != Idle) return;
  mouseLeftPressIdle();
}

// Topmost panel under (x, y) in Idle; gives it the move and finds the bar item.
static void mouseTrackPanels(int x, int y) {
  editor.hoverPanel = -1;
  for (int i = 0; i < PanelCount; ++i) {
    if (panelContains(&editor.panels[i], x, y)) editor.hoverPanel = i;
  }
  editor.hoverItem = -1;
  if (editor.hoverPanel != -1) panelMove(&editor.panels[editor.hoverPanel], x, y);
  if (editor.hoverPanel == 0) editor.hoverItem = itemAtPoint();
}

// Drag distances rounded to whole blocks and level pixels, halves away from zero.
static void mouseUpdateDragRecord() {
  const int z = editor.zoom;
  editor.dragDx = editor.mouseX - editor.anchorX;
  editor.dragDy = editor.mouseY - editor.anchorY;
  const int sx = editor.dragDx < 0 ? -1 : 1;
  const int sy = editor.dragDy < 0 ? -1 : 1;
  editor.dragBlocksX = (sx * (LevelPixelsPerBlock / 2) * z + editor.dragDx) / (LevelPixelsPerBlock * z);
  editor.dragBlocksY = (sy * (LevelPixelsPerRow / 2) * z + editor.dragDy) / (LevelPixelsPerRow * z);
  editor.dragPixelsX = (sx * (z / 2) + editor.dragDx) / z;
  editor.dragPixelsY = (sy * (z / 2) + editor.dragDy) / z;
}

// The pan may not take the camera off the level.
static void mouseClampPan() {
  const int levelW = currentLevel.width * LevelPixelsPerBlock, levelH = currentLevel.height * LevelPixelsPerRow;
  if (editor.cameraX - editor.dragPixelsX < 0) editor.dragPixelsX = editor.cameraX;
  if (editor.cameraX - editor.dragPixelsX > levelW) editor.dragPixelsX = editor.cameraX - levelW;
  if (editor.cameraY - editor.dragPixelsY < 0) editor.dragPixelsY = editor.cameraY;
  if (editor.cameraY - editor.dragPixelsY > levelH) editor.dragPixelsY = editor.cameraY - levelH;
}

static int mouseClamp(int v, int low, int high) {
  if (v < low) v = low;
  if (v > high) v = high;
  return v;
}

// The 20 by 20 block start view stays inside the level while it is dragged.
static void mouseClampStartView() {
  const int nx = mouseClamp(currentLevel.startX + editor.dragBlocksX, 0, currentLevel.width - LevelStartViewBlocks);
  const int ny = mouseClamp(currentLevel.startY + editor.dragBlocksY, 0, currentLevel.height - LevelStartViewBlocks);
  editor.dragBlocksX = nx - currentLevel.startX;
  editor.dragBlocksY = ny - currentLevel.startY;
}

// Idle: the five-pixel strips around each level edge, then the hovered element.
static void mouseFindEdges() {
  const int right = columnToClientX(currentLevel.width);
  const int bottom = rowToClientY(currentLevel.height);
  const int mx = editor.mouseX, my = editor.mouseY;
  int mask = 0;
  if (editor.originX - 3 <= mx && mx <= editor.originX + 1) mask |= EdgeLeft;
  if (right - 2 <= mx && mx <= right + 2) mask |= EdgeRight;
  if (editor.originY - 3 <= my && my <= editor.originY + 1) mask |= EdgeTop;
  if (bottom - 2 <= my && my <= bottom + 2) mask |= EdgeBottom;
  if (currentLevel.style == 0) mask &= EdgeLeft | EdgeRight;  // style 0 levels resize in width only
  editor.edgeMask = mask;
  editor.anchorX = mx;
  editor.anchorY = my;
  editor.dragDx = editor.dragDy = 0;
  findHover();
}

void onMouseMove(int x, int y) {
  editor.mouseX = x;
  editor.mouseY = y;
  const int state = editor.editState;
  if (state == Idle && editor.pressedPanel != -1) {
    // The press captured the pointer. The pressed panel itself gets the move:
    // the hovered one may have been dropped while the press lasted.
    panelMove(&editor.panels[editor.pressedPanel], x, y);
    return;
  }
  editor.hoverPanel = -1;
  if (state == Idle) mouseTrackPanels(x, y);
  if (editor.hoverPanel != -1) {
    editor.hoverObject = nullptr;
    editor.edgeMask = 0;
    editor.newObject.x = clientWidth();  // takes the placement preview out of view
    return;
  }

  if (editor.buttonHeld == 1) mouseUpdateDragRecord();
  if (state == Panning || state == PanningWhilePlacing) {
    mouseClampPan();
  } else {
    editor.dragPixelsX = editor.dragPixelsY = 0;
  }
  if (state == BandSelecting) {
    dropMarks();
    markBand(editor.ctrlDown);
  }
  if (state == ResizingLevel) updatePendingResize();
  if (state == MovingStartView) mouseClampStartView();
  if (state == SizingNewObject) {
    sizeNewObject();
    if (!isTiledKind(editor.newObject.kind)) return;
  }
  if (editor.altView == 1) return;
  if (state == Idle) mouseFindEdges();
  if (state == Placing) snapToCursor(&editor.newObject);
}

// A resize the size table refused, or held where the level stays as it is,
// would otherwise end without a trace.
static void mouseTellResizeRefusal() {
  const bool nothingChanges = editor.edgeMask > EdgeBits || (editor.resizeDx == 0 && editor.resizeDy == 0);
  int width = 0, height = 0;
  if (nothingChanges && resizeAskedOutsideTable(&width, &height))
    refuseEdit("not resized: %d by %d blocks is not an allowed size", width, height);
}

// A left release on the level: finish what the press started.
static void mouseLeftRelease() {
  int& state = editor.editState;
  if (state == ResizingLevel) {
    state = Idle;
    mouseTellResizeRefusal();
    if (editor.edgeMask > EdgeBits) {  // refused: nothing changes
      editor.edgeMask = 0;
      return;
    }
    applyResize();
    editor.edgeMask = 0;
    clampCameraToLevel();
  } else if (state == BandSelecting) {
    state = Idle;
    commitMarks();
  } else if (state == MovingStartView) {
    state = editor.key32Down ? StartViewReady : Idle;
    currentLevel.startX += editor.dragBlocksX;
    currentLevel.startY += editor.dragBlocksY;
  } else if (state == MovingSelection) {
    state = Idle;
    moveSelection();
  } else if (state == PanningWhilePlacing) {
    state = Panning;
  } else if (state == SizingNewObject) {
    commitNewObject();
    state = Idle;
    if (editor.shiftDown) {  // a stamp: the item stays picked for the next placement
      state = Placing;
      startNewObject(editor.barKind, static_cast<int>(editor.newObject.value));
    }
  }
}

void onButtonUp(int button) {
  if (editor.pressedPanel != -1) {
    panelRelease(&editor.panels[editor.pressedPanel], button);
    editor.pressedPanel = -1;
    return;
  }
  if (button == ButtonRight) {
    if (editor.editState == Panning) editor.editState = Idle;
    else if (editor.editState == PanningWhilePlacing) editor.editState = Placing;
    editor.cameraX -= editor.dragPixelsX;
    editor.cameraY -= editor.dragPixelsY;
  }
  if (editor.altView != 1 && button == ButtonLeft) editAsOneStep(mouseLeftRelease);

  mouseClearDrag();
  editor.buttonHeld = 0;
  recentre();
  onMouseMove(editor.mouseX, editor.mouseY);  // hover, edges and preview up to date at once
}
