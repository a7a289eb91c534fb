#include "edit/operations.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/events.h"
#include "support/edit_fixture.h"

namespace {

struct Ops : ::testing::Test {
  EditFixture fx;
  void SetUp() override { fx.setUp(40, 40); }

  // A press-sized test rectangle at the given client point.
  void pointAt(int x, int y) {
    editor.anchorX = x;
    editor.anchorY = y;
    editor.dragDx = 0;
    editor.dragDy = 0;
  }
  // Picks bar item `item` of the list kind with the cursor on block (bx, by).
  void choose(int listKind, int item, int bx, int by) {
    editor.barKind = listKind;
    editor.hoverItem = item;
    editor.mouseX = fx.clientX(bx);
    editor.mouseY = fx.clientY(by);
    chooseItem(ButtonLeft);
  }
  void bandFrom(int x0, int y0, int x1, int y1) {
    editor.anchorX = x0;
    editor.anchorY = y0;
    editor.dragDx = x1 - x0;
    editor.dragDy = y1 - y0;
  }
};

std::vector<uint32_t> statesInListOrder() {
  std::vector<uint32_t> states;
  for (LevelObject* o = currentLevel.firstObject; o; o = o->next) states.push_back(o->state);
  return states;
}

// Hit testing -----------------------------------------------------------------

TEST_F(Ops, HoverPrefersObjectOverPieceOverCell) {
  LevelObject* cell = fx.addCell(3, 2);
  LevelObject* piece = fx.addPiece(1, 2, 2);  // covers blocks 2..4 of row 2
  pointAt(fx.clientX(3) + 5, fx.clientY(2) + 3);
  ASSERT_EQ(findHover(), 1);
  EXPECT_EQ(editor.hoverObject, piece);

  LevelObject* object = fx.addObjectOfDef(0, 3, 2);
  fx.addCell(3, 2);  // a newer cell still loses to the object
  ASSERT_EQ(findHover(), 1);
  EXPECT_EQ(editor.hoverObject, object);
  EXPECT_NE(editor.hoverObject, cell);
}

TEST_F(Ops, HoverPrefersNewestOfOverlappingObjects) {
  fx.addObjectOfDef(2, 5, 5);                      // 2x2
  LevelObject* newer = fx.addObjectOfDef(0, 6, 6);  // 1x1 inside it
  pointAt(fx.clientX(6), fx.clientY(6));
  findHover();
  EXPECT_EQ(editor.hoverObject, newer);
}

TEST_F(Ops, HoverMissClearsHoverAndRectangleCornersAreInclusive) {
  LevelObject* cell = fx.addCell(4, 4);
  // Last pixel of the block is inside, the next one is not.
  pointAt(fx.clientX(5) - 1, fx.clientY(5) - 1);
  EXPECT_EQ(findHover(), 1);
  EXPECT_EQ(editor.hoverObject, cell);
  pointAt(fx.clientX(5), fx.clientY(4));
  EXPECT_EQ(findHover(), 0);
  EXPECT_EQ(editor.hoverObject, nullptr);

  // A band dragged up and left from outside reaches the cell's last pixel.
  fx.setZoom(2);
  bandFrom(fx.clientX(6), fx.clientY(6), fx.clientX(5) - 1, fx.clientY(5) - 1);
  EXPECT_EQ(findHover(), 1);
}

TEST_F(Ops, AnySelectedAtLooksPastUnselectedElementsAbove) {
  LevelObject* cell = fx.addCell(3, 3);
  fx.addObjectOfDef(0, 3, 3);
  pointAt(fx.clientX(3) + 1, fx.clientY(3) + 1);
  EXPECT_EQ(anySelectedAt(), 0);
  cell->state = Selected;
  EXPECT_EQ(anySelectedAt(), 1);
  cell->state = BandMarked;  // only a full selection counts
  EXPECT_EQ(anySelectedAt(), 0);
}

TEST_F(Ops, CtrlBandTogglesAndShiftBandOnlyAdds) {
  LevelObject* selected = fx.addCell(1, 1);
  LevelObject* unselected = fx.addCell(2, 1);
  LevelObject* outside = fx.addCell(9, 9);
  selected->state = Selected;
  outside->state = Selected;
  bandFrom(fx.clientX(1), fx.clientY(1), fx.clientX(3) - 1, fx.clientY(1) + 2);

  markBand(1);
  EXPECT_EQ(selected->state, BandUnmarked);
  EXPECT_EQ(unselected->state, BandMarked);
  commitMarks();
  EXPECT_EQ(selected->state, NotSelected);
  EXPECT_EQ(unselected->state, Selected);
  EXPECT_EQ(outside->state, Selected);

  selected->state = Selected;
  unselected->state = NotSelected;
  markBand(0);
  commitMarks();
  EXPECT_EQ(selected->state, Selected);
  EXPECT_EQ(unselected->state, Selected);
}

// Selection commands -------------------------------------------------------------

TEST_F(Ops, MarkCommandsMapEveryState) {
  for (uint32_t s = 0; s < 4; ++s) fx.addCell(static_cast<int>(s), 0)->state = s;
  dropMarks();
  EXPECT_EQ(statesInListOrder(), (std::vector<uint32_t>{0, 0, 2, 2}));

  int s = 0;
  for (LevelObject* o = currentLevel.firstObject; o; o = o->next) o->state = static_cast<uint32_t>(s++);
  commitMarks();
  EXPECT_EQ(statesInListOrder(), (std::vector<uint32_t>{0, 2, 2, 0}));

  clearSelection();
  EXPECT_EQ(statesInListOrder(), (std::vector<uint32_t>{0, 0, 0, 0}));
}


TEST_F(Ops, DeletingFirstAndLastKeepsTheRestLinked) {
  LevelObject* first = fx.addCell(0, 0);
  LevelObject* second = fx.addCell(1, 0);
  LevelObject* third = fx.addCell(2, 0);
  LevelObject* last = fx.addCell(3, 0);
  first->state = Selected;
  last->state = Selected;
  editor.hoverObject = last;
  deleteSelection();

  EXPECT_EQ(currentLevel.objectCount, 2u);
  EXPECT_EQ(currentLevel.firstObject, second);
  EXPECT_EQ(currentLevel.lastObject, third);
  EXPECT_EQ(second->prev, nullptr);
  EXPECT_EQ(second->next, third);
  EXPECT_EQ(third->next, nullptr);
  EXPECT_EQ(editor.hoverObject, nullptr) << "hover must not point at a freed slot";

  // Deleting everything leaves an empty list.
  second->state = Selected;
  third->state = BandMarked;
  deleteSelection();
  EXPECT_EQ(currentLevel.objectCount, 0u);
  EXPECT_EQ(currentLevel.firstObject, nullptr);
  EXPECT_EQ(currentLevel.lastObject, nullptr);
}

TEST_F(Ops, ToggleTerrainFlagOnlyFlipsSelectedTerrain) {
  LevelObject* cell = fx.addCell(0, 0);
  LevelObject* piece = fx.addPiece(1, 2, 0);
  LevelObject* object = fx.addObjectOfDef(0, 6, 0);
  LevelObject* marked = fx.addCell(8, 0);
  LevelObject* unselected = fx.addCell(9, 0);
  cell->state = piece->state = object->state = Selected;
  marked->state = BandMarked;
  piece->flags = 0x4000;
  object->flags = 0;
  toggleTerrainFlag();
  EXPECT_EQ(cell->flags, 0x4000u);
  EXPECT_EQ(piece->flags, 0u);
  EXPECT_EQ(object->flags, 0u);
  EXPECT_EQ(marked->flags, 0u);
  EXPECT_EQ(unselected->flags, 0u);
}

// Placing --------------------------------------------------------------------

TEST_F(Ops, ChooseItemStartsPlacingOnlyForLeftButtonAndValidItem) {
  editor.mouseX = fx.clientX(7) + 20;  // into block 8
  editor.mouseY = fx.clientY(3) + 2;
  editor.hoverItem = 1;
  chooseItem(ButtonRight);
  EXPECT_EQ(editor.editState, Idle);

  chooseItem(ButtonLeft);
  EXPECT_EQ(editor.editState, Placing);
  EXPECT_EQ(editor.chosenItem, 1);
  EXPECT_EQ(editor.newObject.kind, ObjectKindTerrainPiece);
  EXPECT_EQ(editor.newObject.value, 1u);
  EXPECT_EQ(editor.newItemWidth, 3);
  EXPECT_EQ(editor.newItemHeight, 1);
  EXPECT_EQ(editor.newObject.x, 8);
  EXPECT_EQ(editor.newObject.y, 3);
  EXPECT_EQ(editor.newObject.width, 3u);

  // Past the last item of the listed kind is no item.
  editor.editState = Idle;
  editor.chosenItem = -1;
  editor.hoverItem = 3;
  chooseItem(ButtonLeft);
  EXPECT_EQ(editor.editState, Idle);
  EXPECT_EQ(editor.chosenItem, -1);

  // Not while a drag is under way.
  editor.hoverItem = 0;
  editor.editState = MovingSelection;
  chooseItem(ButtonLeft);
  EXPECT_EQ(editor.editState, MovingSelection);
}

TEST_F(Ops, StartNewObjectReadsDefinitionsAndKeepsUnknownKinds) {
  startNewObject(8, 1);
  EXPECT_EQ(editor.newObject.kind, ObjectKindFlaggedTiles);
  EXPECT_EQ(editor.newItemWidth, 1);
  EXPECT_EQ(editor.newItemHeight, 2);

  // A cancelled sizing restarts with the object's own kind: kinds other than
  // 2 and 8 keep kind and size, but copies are reset.
  editor.newObject.paramA = 4;
  editor.newObject.kind = ObjectKindStill;
  startNewObject(5, 0);
  EXPECT_EQ(editor.newObject.kind, ObjectKindStill);
  EXPECT_EQ(editor.newObject.value, 0u);
  EXPECT_EQ(editor.newItemHeight, 2);
  EXPECT_EQ(editor.newObject.paramA, 0u);
  EXPECT_EQ(editor.newObject.height, 2u);
}

TEST_F(Ops, DraggingAThreeWidePieceHundredPixelsRightGivesThreeCopies) {
  choose(2, 1, 4, 6);
  editor.mouseX += 100;
  sizeNewObject();
  EXPECT_EQ(editor.dragBlocksX, 6);
  EXPECT_EQ(editor.newObject.paramA, 2u);
  EXPECT_EQ(editor.newObject.width, 9u);
  EXPECT_EQ(editor.newObject.paramB, 0u);
  EXPECT_EQ(editor.spanX, 2);
  EXPECT_EQ(editor.spanY, 0);

  commitNewObject();
  LevelObject* added = currentLevel.lastObject;
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->kind, ObjectKindTerrainPiece);
  EXPECT_EQ(added->x, 4);
  EXPECT_EQ(added->width, 9u);
  EXPECT_EQ(added->paramA, 2u);
  EXPECT_EQ(added->cells, currentStyle.pieces[1].cells.data());
}

TEST_F(Ops, DraggingBackByOnePixelGivesTwoCopiesEndingAtThePress) {
  fx.setZoom(2);
  choose(2, 2, 10, 10);  // 2x2 piece
  editor.mouseX -= 1;
  editor.mouseY -= 1;
  sizeNewObject();
  EXPECT_EQ(editor.spanX, -1);
  EXPECT_EQ(editor.spanY, -1);
  EXPECT_EQ(editor.newObject.paramA, 1u);
  EXPECT_EQ(editor.newObject.paramB, 1u);
  EXPECT_EQ(editor.newObject.width, 4u);
  EXPECT_EQ(editor.newObject.height, 4u);

  commitNewObject();
  EXPECT_EQ(currentLevel.lastObject->x, 8);
  EXPECT_EQ(currentLevel.lastObject->y, 8);
}

TEST_F(Ops, ObjectsThatCannotRepeatAreNeverStretched) {
  choose(8, 0, 2, 2);  // kind 5
  editor.mouseX += 200;
  sizeNewObject();
  EXPECT_EQ(editor.spanX, 0);
  EXPECT_EQ(editor.newObject.width, 1u);
  EXPECT_EQ(editor.newObject.paramA, 0u);
}

TEST_F(Ops, CommitSelectsOnlyTheNewElementAndTakesTheDefinitionShift) {
  LevelObject* old = fx.addCell(0, 0);
  old->state = Selected;
  choose(8, 1, 5, 5);  // kind 3, shiftX 1
  commitNewObject();
  LevelObject* added = currentLevel.lastObject;
  EXPECT_EQ(added->kind, ObjectKindFlaggedTiles);
  EXPECT_EQ(added->shiftX, 1);
  EXPECT_EQ(added->state, Selected);
  EXPECT_EQ(old->state, NotSelected);
  EXPECT_EQ(currentLevel.objectCount, 2u);
}

TEST_F(Ops, CommitLeavesTheLevelUnchangedWhenThePoolIsFull) {
  while (addObject(1, 1, 0, 0, 0, 0, &currentLevel)) {
  }
  ASSERT_EQ(currentLevel.objectCount, static_cast<uint32_t>(LevelPoolSize));
  currentLevel.firstObject->state = Selected;
  editor.hoverItem = 1;
  chooseItem(ButtonLeft);
  commitNewObject();
  EXPECT_EQ(currentLevel.objectCount, static_cast<uint32_t>(LevelPoolSize));
  EXPECT_EQ(currentLevel.lastObject->kind, ObjectKindTerrainCell);
  EXPECT_EQ(currentLevel.firstObject->state, Selected);
}

TEST_F(Ops, CommitRefusesTheSixtyFifthObjectButNotTerrain) {
  for (int i = 0; i < LevelObjectRecords - 1; ++i) fx.addObjectOfDef(0, i % 40, i / 40);
  editor.barKind = BarObjects;
  editor.hoverItem = 2;
  chooseItem(ButtonLeft);
  commitNewObject();
  ASSERT_EQ(currentLevel.objectCount, static_cast<uint32_t>(LevelObjectRecords));

  commitNewObject();  // the 65th
  EXPECT_EQ(currentLevel.objectCount, static_cast<uint32_t>(LevelObjectRecords));

  editor.editState = Idle;
  editor.barKind = BarPieces;
  editor.hoverItem = 0;
  chooseItem(ButtonLeft);
  commitNewObject();
  EXPECT_EQ(currentLevel.objectCount, static_cast<uint32_t>(LevelObjectRecords) + 1);
  EXPECT_EQ(currentLevel.lastObject->kind, ObjectKindTerrainPiece);
}

// Resizing ---------------------------------------------------------------------

TEST_F(Ops, SizeTableLimitsAtEveryClassBoundary) {
  const int widths[] = {19, 20, 21, 24, 25, 32, 33, 40, 41, 50, 51, 64, 65, 80, 81};
  const int heights[] = {0, 80, 64, 64, 50, 50, 40, 40, 32, 32, 24, 24, 20, 20, 0};
  for (size_t i = 0; i < std::size(widths); ++i) {
    EXPECT_EQ(maxHeightForWidth(widths[i]), heights[i]) << "width " << widths[i];
    EXPECT_EQ(maxWidthForHeight(widths[i]), heights[i]) << "height " << widths[i];
  }
}

struct ResizeCase {
  const char* what;
  int width, height, edgeMask, dragBlocksX, dragBlocksY;
  int resizeDx, resizeDy, endMask;
};

TEST_F(Ops, PendingResizeClampsToTheTable) {
  const ResizeCase cases[] = {
      {"right edge of 40x40 out by 10 is held at 40", 40, 40, 2, 10, 0, 0, 0, 2},
      {"right edge out while rows drag is ignored", 20, 20, 2, 4, 7, 4, 0, 2},
      {"bottom-right corner out by one is refused", 40, 40, 10, 1, 0, 1, 0, 0xAA},
      {"bottom-right corner out in height is refused", 40, 40, 10, 0, 1, 0, 1, 0xAA},
      {"bottom-right corner in to 30x30 is allowed", 40, 40, 10, -10, -10, -10, -10, 10},
      {"left edge of 30x30 in by 15 stops at 20 wide", 30, 30, 1, 15, 0, -10, 0, 1},
      {"top edge dragged up grows the height", 20, 20, 4, 0, -5, 0, 5, 4},
      {"bottom edge of 40x40 out is held at 40", 40, 40, 8, 0, 6, 0, 0, 8},
      {"refusal mark of the last move is dropped", 30, 30, 0xAA, -1, -1, -1, -1, 10},
      {"20x85 level: right edge has no width for its height", 20, 85, 2, 3, 0, 3, 0, 0x22},
      {"20x85 level: bottom edge in by 2 goes to 80 rows", 20, 85, 8, 0, -2, 0, -5, 8},
      {"85 wide level: left edge in by 1 snaps to 80 wide", 85, 20, 1, 1, 0, -5, 0, 1},
      {"85 wide level: bottom edge has no height for its width", 85, 20, 8, 0, 1, 0, 1, 0x88},
  };
  for (const ResizeCase& c : cases) {
    fx.setUp(c.width, c.height);
    editor.edgeMask = c.edgeMask;
    editor.dragBlocksX = c.dragBlocksX;
    editor.dragBlocksY = c.dragBlocksY;
    updatePendingResize();
    EXPECT_EQ(editor.resizeDx, c.resizeDx) << c.what;
    EXPECT_EQ(editor.resizeDy, c.resizeDy) << c.what;
    EXPECT_EQ(editor.edgeMask, c.endMask) << c.what;
    if (editor.edgeMask <= EdgeBits) {
      EXPECT_GE(c.width + editor.resizeDx, 20) << c.what;
      EXPECT_GE(c.height + editor.resizeDy, 20) << c.what;
    }
  }
}

// A level outside the table refuses an edge drag with no allowed size. On the
// moves that follow, the edge must stay an edge: a drag across it may not
// change the other dimension, nor lend the edge the allowance of that size.
TEST_F(Ops, EdgeDragStaysOneDimensionalAfterARefusedMove) {
  fx.setUp(20, 85);
  editor.edgeMask = EdgeRight;
  editor.dragBlocksX = 3;
  updatePendingResize();
  ASSERT_GT(editor.edgeMask, EdgeBits);

  editor.dragBlocksY = -25;  // 60 rows would allow 24 blocks across
  updatePendingResize();
  EXPECT_EQ(editor.resizeDy, 0);
  EXPECT_GT(editor.edgeMask, EdgeBits) << "still no width is allowed for 85 rows";
}

TEST_F(Ops, LeftEdgeResizeMovesEveryElementAndTheCamera) {
  fx.setUp(30, 30);
  LevelObject* cell = fx.addCell(12, 3);
  LevelObject* object = fx.addObjectOfDef(0, 25, 9);
  currentLevel.startX = 4;
  const int cameraX = editor.cameraX;
  editor.edgeMask = EdgeLeft;
  editor.dragBlocksX = 15;
  updatePendingResize();
  applyResize();
  EXPECT_EQ(currentLevel.width, 20);
  EXPECT_EQ(cell->x, 2);
  EXPECT_EQ(object->x, 15);
  EXPECT_EQ(cell->y, 3);
  EXPECT_EQ(editor.cameraX, cameraX - 160);
  EXPECT_EQ(currentLevel.startX, 0) << "start view stays inside the level";
}

TEST_F(Ops, RightAndBottomShrinkKeepTheStartViewInside) {
  fx.setUp(40, 40);
  LevelObject* cell = fx.addCell(35, 35);
  currentLevel.startX = 15;
  currentLevel.startY = 18;
  editor.edgeMask = EdgeRight | EdgeBottom;
  editor.resizeDx = -10;
  editor.resizeDy = -12;
  applyResize();
  EXPECT_EQ(currentLevel.width, 30);
  EXPECT_EQ(currentLevel.height, 28);
  EXPECT_EQ(currentLevel.startX, 10);
  EXPECT_EQ(currentLevel.startY, 8);
  EXPECT_EQ(cell->x, 35) << "elements are not clipped";
}

TEST_F(Ops, TopEdgeGrowthShiftsRowsAndCamera) {
  fx.setUp(40, 20);
  LevelObject* cell = fx.addCell(1, 1);
  const int cameraY = editor.cameraY;
  editor.edgeMask = EdgeTop;
  editor.resizeDy = 5;
  applyResize();
  EXPECT_EQ(currentLevel.height, 25);
  EXPECT_EQ(cell->y, 6);
  EXPECT_EQ(cell->x, 1);
  EXPECT_EQ(editor.cameraY, cameraY + 40);
  EXPECT_EQ(currentLevel.startY, 5);
}

}  // namespace
