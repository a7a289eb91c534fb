#include "edit/mouse.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "edit/operations.h"
#include "platform/events.h"
#include "edit/panel_input.h"
#include "state/camera.h"
#include "state/panel_metrics.h"
#include "support/edit_fixture.h"

namespace {

// One synthetic input: a button press or release, or a move to a point given
// in blocks of the level (plus a pixel offset) so rows stay readable.
struct Step {
  enum Kind { Down, Up, Move } kind;
  int button;
  int bx, by, px, py;
};
Step down(int button) { return {Step::Down, button, 0, 0, 0, 0}; }
Step up(int button) { return {Step::Up, button, 0, 0, 0, 0}; }
Step at(int bx, int by, int px = 2, int py = 2) { return {Step::Move, 0, bx, by, px, py}; }

// A 30 by 30 level of style 1 at zoom 1: origin (80, 81) in a 640x480 client.
// Elements: a cell at (2,2), a 3-wide piece at (5,5), objects at (10,10) and (12,10).
struct Mouse : ::testing::Test {
  EditFixture fx;
  LevelObject* cell = nullptr;
  LevelObject* piece = nullptr;
  LevelObject* obj = nullptr;
  LevelObject* obj2 = nullptr;

  void SetUp() override { build(30, 30, 1); }

  void build(int width, int height, int style) {
    fx.setUp(width, height, style);
    setBarKind(BarPieces);
    cell = fx.addCell(2, 2);
    piece = fx.addPiece(1, 5, 5);
    obj = fx.addObjectOfDef(0, 10, 10);
    obj2 = fx.addObjectOfDef(0, 12, 10);
  }

  void run(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      if (s.kind == Step::Down) onButtonDown(s.button);
      if (s.kind == Step::Up) onButtonUp(s.button);
      if (s.kind == Step::Move) onMouseMove(fx.clientX(s.bx) + s.px, fx.clientY(s.by) + s.py);
    }
  }

  // Starts placing bar item `item` (a terrain piece) with the cursor at block (bx, by).
  void startPlacing(int item, int bx, int by) {
    run({at(bx, by, 0, 0)});
    editor.hoverItem = item;
    chooseItem(ButtonLeft);
  }
};

// Key 32 held in Idle, as its key-down leaves the editor.
void holdKey32(Mouse&) {
  editor.key32Down = 1;
  editor.editState = StartViewReady;
}

struct TransitionRow {
  const char* what;
  std::function<void(Mouse&)> setup;
  std::vector<Step> steps;
  int endState;
  std::function<void(Mouse&)> effect;
};

TEST_F(Mouse, TransitionTable) {
  const int camX = 240, camY = 120;
  const std::vector<TransitionRow> rows = {
      {"Idle: left press on an edge resizes", nullptr, {at(0, 10, 0, 0), down(ButtonLeft)}, ResizingLevel,
       [](Mouse&) { EXPECT_EQ(editor.edgeMask, EdgeLeft); }},
      {"Idle: left press on a selected object keeps the selection",
       [](Mouse& m) { m.obj->state = m.obj2->state = Selected; }, {at(10, 10), down(ButtonLeft)}, MovingSelection,
       [](Mouse& m) { EXPECT_EQ(m.obj2->state, Selected); }},
      {"Idle: left press on an unselected object selects it alone",
       [](Mouse& m) { m.obj2->state = Selected; }, {at(10, 10), down(ButtonLeft)}, MovingSelection,
       [](Mouse& m) {
         EXPECT_EQ(m.obj->state, Selected);
         EXPECT_EQ(m.obj2->state, NotSelected);
       }},
      {"Idle: left press on nothing clears and starts a band",
       [](Mouse& m) { m.obj->state = Selected; }, {at(20, 20), down(ButtonLeft)}, BandSelecting,
       [](Mouse& m) { EXPECT_EQ(m.obj->state, NotSelected); }},
      {"Idle: Shift press marks what is under the point",
       [](Mouse& m) {
         editor.shiftDown = 1;
         m.obj2->state = Selected;
       },
       {at(10, 10), down(ButtonLeft)}, BandSelecting,
       [](Mouse& m) {
         EXPECT_EQ(m.obj->state, BandMarked);
         EXPECT_EQ(m.obj2->state, Selected);
       }},
      {"Idle: Ctrl press on a selected object toggles it",
       [](Mouse& m) {
         editor.ctrlDown = 1;
         m.obj->state = Selected;
       },
       {at(10, 10), down(ButtonLeft)}, BandSelecting, [](Mouse& m) { EXPECT_EQ(m.obj->state, BandUnmarked); }},
      {"Idle: right press pans", nullptr, {at(10, 10), down(ButtonRight)}, Panning, nullptr},
      {"Panning: right release moves the camera by the pan", nullptr,
       {at(15, 15), down(ButtonRight), at(13, 15), up(ButtonRight)}, Idle,
       [=](Mouse&) {
         EXPECT_EQ(editor.cameraX, camX + 32);
         EXPECT_EQ(editor.cameraY, camY);
       }},
      {"Panning: left press drops the pan and starts a band", nullptr,
       {at(20, 20), down(ButtonRight), at(18, 20), down(ButtonLeft)}, BandSelecting,
       [](Mouse&) { EXPECT_EQ(editor.dragPixelsX, 0); }},
      {"ResizingLevel: left release resizes", nullptr,
       {at(30, 10, 0, 0), down(ButtonLeft), at(32, 10, 0, 0), up(ButtonLeft)}, Idle,
       [](Mouse&) {
         EXPECT_EQ(currentLevel.width, 32);
         EXPECT_EQ(currentLevel.height, 30);
       }},
      {"ResizingLevel: a right edge in by one pulls a start view that fitted exactly",
       [](Mouse&) { currentLevel.startX = 10; },
       {at(30, 10, 0, 0), down(ButtonLeft), at(29, 10, 0, 0), up(ButtonLeft)}, Idle,
       [](Mouse&) {
         EXPECT_EQ(currentLevel.width, 29);
         EXPECT_EQ(currentLevel.startX, 9);
       }},
      {"ResizingLevel: a bottom edge in by one pulls a start view that fitted exactly",
       [](Mouse&) { currentLevel.startY = 10; },
       {at(10, 30, 0, 0), down(ButtonLeft), at(10, 29, 0, 0), up(ButtonLeft)}, Idle,
       [](Mouse&) {
         EXPECT_EQ(currentLevel.height, 29);
         EXPECT_EQ(currentLevel.startY, 9);
       }},
      {"ResizingLevel: right press drops the resize and pans", nullptr,
       {at(30, 10, 0, 0), down(ButtonLeft), at(32, 10, 0, 0), down(ButtonRight)}, Panning,
       [](Mouse&) {
         EXPECT_EQ(editor.resizeDx, 0);
         EXPECT_EQ(currentLevel.width, 30);
       }},
      {"MovingSelection: right press drops the move and pans",
       [](Mouse& m) { m.obj->state = Selected; },
       {at(10, 10), down(ButtonLeft), at(13, 10), down(ButtonRight)}, Panning,
       [](Mouse& m) {
         EXPECT_EQ(editor.dragBlocksX, 0);
         EXPECT_EQ(m.obj->x, 10);
       }},
      {"BandSelecting: left release commits the marks", nullptr,
       {at(9, 9, 0, 0), down(ButtonLeft), at(13, 11), up(ButtonLeft)}, Idle,
       [](Mouse& m) {
         EXPECT_EQ(m.obj->state, Selected);
         EXPECT_EQ(m.obj2->state, Selected);
         EXPECT_EQ(m.piece->state, NotSelected);
       }},
      {"BandSelecting: right press drops the marks and pans", nullptr,
       {at(9, 9, 0, 0), down(ButtonLeft), at(13, 11), down(ButtonRight)}, Panning,
       [](Mouse& m) {
         EXPECT_EQ(m.obj->state, NotSelected);
         EXPECT_EQ(m.obj2->state, NotSelected);
       }},
      {"StartViewReady: left press inside grabs the start view",
       holdKey32,
       {at(1, 1), down(ButtonLeft)}, MovingStartView, nullptr},
      {"StartViewReady: left press outside does nothing",
       holdKey32,
       {at(22, 1), down(ButtonLeft)}, StartViewReady, nullptr},
      {"MovingStartView: release with key 32 held moves the start view",
       holdKey32,
       {at(1, 1), down(ButtonLeft), at(4, 3), up(ButtonLeft)}, StartViewReady,
       [](Mouse&) {
         EXPECT_EQ(currentLevel.startX, 3);
         EXPECT_EQ(currentLevel.startY, 2);
       }},
      {"MovingStartView: 16 pixels left at zoom 1 is one block left",
       [](Mouse& m) {
         holdKey32(m);
         currentLevel.startX = 3;
       },
       {at(4, 1), down(ButtonLeft), at(3, 1), up(ButtonLeft)}, StartViewReady,
       [](Mouse&) { EXPECT_EQ(currentLevel.startX, 2); }},
      {"MovingSelection: left release moves the selection",
       [](Mouse& m) { m.obj->state = Selected; },
       {at(10, 10), down(ButtonLeft), at(12, 11), up(ButtonLeft)}, Idle,
       [](Mouse& m) {
         EXPECT_EQ(m.obj->x, 12);
         EXPECT_EQ(m.obj->y, 11);
         EXPECT_EQ(m.obj2->x, 12);
       }},
      {"MovingSelection: 16 pixels left at zoom 1 is one block left",
       [](Mouse& m) { m.obj->state = Selected; },
       {at(10, 10), down(ButtonLeft), at(9, 10), up(ButtonLeft)}, Idle,
       [](Mouse& m) {
         EXPECT_EQ(m.obj->x, 9);
         EXPECT_EQ(m.obj->y, 10);
       }},
      {"Placing: left press sizes", [](Mouse& m) { m.startPlacing(1, 4, 6); }, {down(ButtonLeft)},
       SizingNewObject, nullptr},
      {"Placing: right press pans while placing", [](Mouse& m) { m.startPlacing(1, 4, 6); },
       {down(ButtonRight)}, PanningWhilePlacing, nullptr},
      {"SizingNewObject: left release adds the copies selected alone",
       [](Mouse& m) {
         m.startPlacing(1, 4, 6);
         m.obj->state = Selected;
       },
       {down(ButtonLeft), at(10, 6, 4, 0), up(ButtonLeft)}, Idle,
       [](Mouse& m) {
         LevelObject* added = currentLevel.lastObject;
         EXPECT_EQ(added->kind, ObjectKindTerrainPiece);
         EXPECT_EQ(added->x, 4);
         EXPECT_EQ(added->y, 6);
         EXPECT_EQ(added->paramA, 2u);
         EXPECT_EQ(added->state, Selected);
         EXPECT_EQ(m.obj->state, NotSelected);
       }},
      {"SizingNewObject: right press resets the copies", [](Mouse& m) { m.startPlacing(1, 4, 6); },
       {down(ButtonLeft), at(10, 6, 4, 0), down(ButtonRight)}, PanningWhilePlacing,
       [](Mouse&) {
         EXPECT_EQ(editor.newObject.paramA, 0u);
         EXPECT_EQ(editor.newObject.width, 3u);
         EXPECT_EQ(editor.newObject.x, 10);
         EXPECT_EQ(currentLevel.objectCount, 4u);
       }},
      {"SizingNewObject: Shift at the release keeps the item picked for the next placement",
       [](Mouse& m) { m.startPlacing(1, 4, 6), editor.shiftDown = 1; },
       {down(ButtonLeft), up(ButtonLeft), at(8, 9, 0, 0), down(ButtonLeft), up(ButtonLeft)}, Placing,
       [](Mouse&) { EXPECT_EQ(currentLevel.objectCount, 6u) << "the second copy placed too"; }},
      {"PanningWhilePlacing: right release moves the camera", [](Mouse& m) { m.startPlacing(1, 4, 6); },
       {down(ButtonRight), at(6, 6, 0, 0), up(ButtonRight)}, Placing,
       [=](Mouse&) { EXPECT_EQ(editor.cameraX, camX - 32); }},
      {"PanningWhilePlacing: left release ends placing", [](Mouse& m) { m.startPlacing(1, 4, 6); },
       {down(ButtonRight), down(ButtonLeft), up(ButtonLeft)}, Panning,
       [](Mouse&) { EXPECT_EQ(currentLevel.objectCount, 4u); }},
  };

  for (const TransitionRow& row : rows) {
    SCOPED_TRACE(row.what);
    build(30, 30, 1);
    editor.shiftDown = editor.ctrlDown = editor.key32Down = 0;
    if (row.setup) row.setup(*this);
    run(row.steps);
    EXPECT_EQ(editor.editState, row.endState);
    if (row.effect) row.effect(*this);
  }
}

// Ordering edge cases -------------------------------------------------------------

TEST_F(Mouse, WheelStepStartsADragRecordThatOnlyIdleReanchors) {
  startPlacing(1, 4, 6);
  run({down(WheelAway)});
  EXPECT_EQ(editor.zoom, 2);
  EXPECT_EQ(editor.buttonHeld, 1);
  onMouseMove(editor.mouseX + 40, editor.mouseY);
  EXPECT_EQ(editor.dragDx, 40);
  EXPECT_EQ(editor.editState, Placing);

  build(30, 30, 1);
  run({at(20, 20), down(WheelToward), at(21, 20)});
  EXPECT_EQ(editor.zoom, 1) << "zoom never goes below 1";
  EXPECT_EQ(editor.buttonHeld, 1);
  EXPECT_EQ(editor.dragDx, 0) << "the hover scan re-anchors the drag in Idle";
  EXPECT_EQ(editor.anchorX, editor.mouseX);
}


TEST_F(Mouse, MiddleButtonOnlyStartsAndEndsTheDragRecord) {
  obj->state = Selected;
  run({at(10, 10), down(ButtonMiddle)});
  EXPECT_EQ(editor.editState, Idle);
  EXPECT_EQ(editor.buttonHeld, 1);
  run({at(12, 10), up(ButtonMiddle)});
  EXPECT_EQ(editor.buttonHeld, 0);
  EXPECT_EQ(obj->state, Selected);
  EXPECT_EQ(obj->x, 10);
}

TEST_F(Mouse, LeftPressWhilePanningWhilePlacingFreezesTheView) {
  startPlacing(1, 4, 6);
  run({down(ButtonRight), at(8, 6, 0, 0)});
  EXPECT_EQ(editor.dragPixelsX, 64);
  run({down(ButtonLeft)});
  EXPECT_EQ(editor.dragPixelsX, 0);
  run({up(ButtonLeft), at(12, 6, 0, 0)});
  EXPECT_EQ(editor.editState, Panning);
  EXPECT_EQ(editor.dragPixelsX, 0) << "the ended drag record no longer follows the mouse";
  run({up(ButtonRight)});
  EXPECT_EQ(editor.editState, Idle);
  EXPECT_EQ(editor.cameraX, 240);
}

TEST_F(Mouse, ShrinkingTheBandUnmarksWhatLeftIt) {
  run({at(9, 9, 0, 0), down(ButtonLeft), at(13, 11)});
  EXPECT_EQ(obj->state, BandMarked);
  EXPECT_EQ(obj2->state, BandMarked);
  run({at(11, 11)});
  EXPECT_EQ(obj->state, BandMarked);
  EXPECT_EQ(obj2->state, NotSelected);
}


TEST_F(Mouse, PressOnAnEdgeOverAnObjectResizes) {
  LevelObject* onEdge = fx.addObjectOfDef(0, 0, 15);
  run({at(0, 15, 0, 3), down(ButtonLeft)});
  EXPECT_EQ(editor.editState, ResizingLevel);
  EXPECT_EQ(onEdge->state, NotSelected);
}

TEST_F(Mouse, EdgeZonesAreFivePixelStripsAndStyleZeroOnlyResizesInWidth) {
  struct Probe { int x, y, mask; };
  // Relative to the level's top-left (originX, originY) at zoom 1, 30x30 level: R = +480, B = +240.
  const Probe probes[] = {{-3, 100, 1}, {1, 100, 1}, {-4, 100, 0}, {2, 100, 0},   {478, 50, 2},
                          {482, 50, 2}, {483, 50, 0}, {100, -3, 4}, {100, 1, 4},  {100, 242, 8},
                          {0, 0, 5},    {480, 240, 10}};
  for (int style : {1, 0}) {
    build(30, 30, style);
    for (const Probe& p : probes) {
      onMouseMove(editor.originX + p.x, editor.originY + p.y);
      const int expected = style == 0 ? (p.mask & 3) : p.mask;
      EXPECT_EQ(editor.edgeMask, expected) << "style " << style << " at " << p.x << "," << p.y;
    }
  }
}

TEST_F(Mouse, RefusedCornerResizeChangesNothing) {
  build(32, 50, 1);  // 33 wide allows only 40 rows
  const int top = editor.originY, right = editor.originX + 32 * 16;
  onMouseMove(right, top);
  ASSERT_EQ(editor.edgeMask, EdgeRight | EdgeTop);
  onButtonDown(ButtonLeft);
  onMouseMove(right + 16, top);
  EXPECT_GT(editor.edgeMask, EdgeBits);
  onButtonUp(ButtonLeft);
  EXPECT_EQ(editor.editState, Idle);
  EXPECT_EQ(currentLevel.width, 32);
  EXPECT_EQ(currentLevel.height, 50);
  EXPECT_EQ(obj->x, 10);
  EXPECT_EQ(editor.buttonHeld, 0);
}


TEST_F(Mouse, PanStopsAtTheLevelBounds) {
  run({at(15, 15), down(ButtonRight)});
  onMouseMove(editor.mouseX + 2000, editor.mouseY - 2000);
  EXPECT_EQ(editor.dragPixelsX, 240);
  EXPECT_EQ(editor.dragPixelsY, 120 - 240);
  run({up(ButtonRight)});
  EXPECT_EQ(editor.cameraX, 0);
  EXPECT_EQ(editor.cameraY, 240);
}

TEST_F(Mouse, PanRoundsHalfPixelsAwayFromZeroAtZoomTwo) {
  fx.setZoom(2);
  run({at(15, 15), down(ButtonRight)});
  onMouseMove(editor.mouseX - 3, editor.mouseY + 3);
  EXPECT_EQ(editor.dragPixelsX, -2);
  EXPECT_EQ(editor.dragPixelsY, 2);
}

TEST_F(Mouse, StartViewDragStaysInsideTheLevel) {
  editor.key32Down = 1;
  editor.editState = StartViewReady;
  run({at(1, 1), down(ButtonLeft), at(28, -5)});
  EXPECT_EQ(editor.dragBlocksX, 10);
  EXPECT_EQ(editor.dragBlocksY, 0);
  editor.key32Down = 0;
  run({up(ButtonLeft)});
  EXPECT_EQ(editor.editState, Idle);
  EXPECT_EQ(currentLevel.startX, 10);
  EXPECT_EQ(currentLevel.startY, 0);
}

TEST_F(Mouse, AlternateViewOnlyPansAndZooms) {
  editor.altView = 1;
  run({at(10, 10), down(ButtonLeft), at(12, 10), up(ButtonLeft)});
  EXPECT_EQ(editor.editState, Idle);
  EXPECT_EQ(obj->state, NotSelected);
  EXPECT_EQ(obj->x, 10);
  run({down(ButtonRight)});
  EXPECT_EQ(editor.editState, Panning);
}


// Panels -----------------------------------------------------------------------------

struct MousePanels : Mouse {
  int barX = 100, barY = 420;  // inside the item bar (panel 0), above its scroll bar
  bool panelsLaidOut() { return panelContains(&editor.panels[0], barX, barY) != 0; }
};

TEST_F(MousePanels, HoveringAPanelHidesThePreviewAndTheEdges) {
  ASSERT_TRUE(panelsLaidOut()) << "the item bar should cover (" << barX << ", " << barY << ")";
  run({at(0, 10, 0, 0)});
  ASSERT_EQ(editor.edgeMask, EdgeLeft);
  onMouseMove(barX, barY);
  EXPECT_EQ(editor.hoverPanel, 0);
  EXPECT_EQ(editor.edgeMask, 0);
  EXPECT_EQ(editor.hoverObject, nullptr);
  EXPECT_EQ(editor.newObject.x, 640);
}

// A wheel step has no release: taken as a press, it held the pointer for the
// bar until a later click on the level picked the hovered item.
TEST_F(MousePanels, WheelOverTheBarScrollsItByOneItemAndHoldsNothing) {
  currentStyle.pieces.resize(30, currentStyle.pieces[0]);
  currentStyle.pieceCount = 30;
  setBarKind(BarPieces);
  ASSERT_TRUE(panelsLaidOut()) << "the item bar should cover (" << barX << ", " << barY << ")";
  const int first = editor.panels[1].value;
  onMouseMove(barX, barY);
  onButtonDown(WheelToward);
  EXPECT_EQ(editor.panels[1].value, first + itemPitch());
  EXPECT_EQ(editor.pressedPanel, -1);
  EXPECT_EQ(editor.zoom, 1) << "the level sees nothing of a wheel over the bar";
  EXPECT_EQ(editor.buttonHeld, 0);

  run({at(10, 10)});  // over an object: nothing holds the pointer
  EXPECT_EQ(editor.hoverPanel, -1);
  EXPECT_EQ(editor.hoverObject, obj);
}

TEST_F(MousePanels, EscapeDuringABarPressLeavesTheMovesWithThePressedPanel) {
  ASSERT_TRUE(panelsLaidOut()) << "the item bar should cover (" << barX << ", " << barY << ")";
  onMouseMove(barX, barY);
  onButtonDown(ButtonLeft);  // chooses an item: Placing, while the bar holds the press
  ASSERT_EQ(editor.editState, Placing);
  run({at(10, 10)});  // no panel is hovered while placing
  ASSERT_EQ(editor.hoverPanel, -1);
  editor.editState = Idle;  // what Escape does in Placing
  const int x = fx.clientX(12), y = fx.clientY(12);
  onMouseMove(x, y);
  EXPECT_EQ(editor.panels[0].pointerX, x - editor.panels[0].x);
  EXPECT_EQ(editor.panels[0].pointerY, y - editor.panels[0].y);
  onButtonUp(ButtonLeft);
  EXPECT_EQ(editor.pressedPanel, -1);
}

}  // namespace
