#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cstdlib>

#include "render/scene.h"
#include "render/textures.h"
#include "support/render_fixture.h"

// The fixture draws level pixel (x, y) at client (x, y); block b is solid
// palette colour b, so the colour under a block position names the block drawn.
static const Rgba Clear{0, 0, 0, 0};

static Rgba at(const RenderFixture& f, int column, int row) { return f.gl.readPixel(column * 16 + 8, row * 8 + 4); }

static bool near(Rgba a, Rgba b) {
  return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1 && a.a == b.a;
}

static LevelObject* addElement(uint32_t kind, uint32_t value, int x, int y, uint32_t a = 0, uint32_t b = 0) {
  LevelObject* e = addObject(kind, value, x, y, a, b, &currentLevel);
  e->flags = 0;
  e->state = NotSelected;
  return e;
}

TEST(DrawLevel, EmptyLevelIsPaletteColourZeroOrBlackInAltView) {
  RenderFixture f(160, 80, 4, 8, 4);  // level 128 x 32 level pixels
  SKIP_WITHOUT_GL(f.gl);
  f.build();
  f.clearAndDraw();
  EXPECT_TRUE(f.regionIs(0, 0, 128, 32, paletteRgba(0)));
  EXPECT_EQ(f.gl.readPixel(128, 0), Clear);
  EXPECT_EQ(f.gl.readPixel(0, 32), Clear);
  editor.altView = 1;
  f.clearAndDraw();
  EXPECT_TRUE(f.regionIs(0, 0, 128, 32, (Rgba{0, 0, 0, 255})));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST(DrawLevel, PieceSkipsZeroCellsButAnimationsDrawBlockZero) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.pieces.push_back(makePattern(2, 1, 1, true, {0, 5}));
  currentStyle.anims.push_back(makePattern(2, 1, 1, false, {0, 5}));
  f.addAnimDef(ObjectKindStill, 0, 2, 1);
  f.build();
  addElement(ObjectKindTerrainCell, 3, 0, 0);
  addElement(ObjectKindTerrainCell, 3, 0, 2);
  addElement(ObjectKindTerrainPiece, 0, 0, 0);
  addElement(5, 0, 0, 2);
  f.clearAndDraw();
  EXPECT_EQ(at(f, 0, 0), paletteRgba(3));  // the cell shows through the piece's empty cell
  EXPECT_EQ(at(f, 1, 0), paletteRgba(5));
  EXPECT_EQ(at(f, 0, 2), paletteRgba(0));  // the animation's block 0 covers the cell
  EXPECT_EQ(at(f, 1, 2), paletteRgba(5));
}

TEST(DrawLevel, PassesDrawCellsThenPiecesThenObjectsWhateverTheListOrder) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.pieces.push_back(makePattern(1, 1, 1, true, {4}));
  currentStyle.anims.push_back(makePattern(1, 1, 1, false, {6}));
  f.addAnimDef(ObjectKindObject, 0, 1, 1);
  f.build();
  addElement(8, 0, 0, 0);
  addElement(ObjectKindTerrainPiece, 0, 0, 0);
  addElement(ObjectKindTerrainCell, 2, 0, 0);
  addElement(ObjectKindTerrainPiece, 0, 1, 0);
  addElement(ObjectKindTerrainCell, 2, 1, 0);
  addElement(ObjectKindTerrainCell, 3, 2, 0);
  addElement(ObjectKindTerrainCell, 1, 2, 0);  // later in its pass: on top
  f.clearAndDraw();
  EXPECT_EQ(at(f, 0, 0), paletteRgba(6));
  EXPECT_EQ(at(f, 1, 0), paletteRgba(4));
  EXPECT_EQ(at(f, 2, 0), paletteRgba(1));
}

TEST(DrawLevel, PieceWithParamATwoIsDrawnThreeTimesItsWidthApart) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.pieces.push_back(makePattern(2, 1, 1, true, {3, 4}));
  f.build();
  addElement(ObjectKindTerrainPiece, 0, 1, 1, 2, 0);
  f.clearAndDraw();
  for (int copy = 0; copy < 3; ++copy) {
    EXPECT_EQ(at(f, 1 + 2 * copy, 1), paletteRgba(3)) << copy;
    EXPECT_EQ(at(f, 2 + 2 * copy, 1), paletteRgba(4)) << copy;
  }
  EXPECT_EQ(at(f, 7, 1), paletteRgba(0));
  EXPECT_EQ(at(f, 1, 2), paletteRgba(0));
}

TEST(DrawObject, KindFourCopiesAreOneFrameApartAndRowsInStep) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.anims.push_back(makePattern(1, 1, 4, false, {4, 5, 6, 7}));
  f.addAnimDef(ObjectKindTiles, 0, 1, 1);
  f.build();
  addElement(4, 0, 0, 0, 3, 1);
  editor.animFrame = 2;
  f.clearAndDraw();
  const int expected[4] = {6, 7, 4, 5};
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(at(f, j, 0), paletteRgba(expected[j])) << "copy " << j;
    EXPECT_EQ(at(f, j, 1), paletteRgba(expected[j])) << "second row, copy " << j;
  }
}

TEST(DrawObject, WhichKindsAnimate) {
  struct Case { int kind; int levelStyle; int expectedBlock; };
  // Animation frames are blocks 4, 5, 6; animFrame 1 picks block 5 when animated.
  const Case cases[] = {{7, 11, 5}, {7, 0, 4}, {7, 10, 4}, {5, 11, 4}, {9, 3, 4}, {8, 0, 5}, {3, 0, 5}};
  for (const Case& c : cases) {
    RenderFixture f(64, 32, 8);
    SKIP_WITHOUT_GL(f.gl);
    currentStyle.anims.push_back(makePattern(1, 1, 3, false, {4, 5, 6}));
    f.addAnimDef(c.kind, 0, 1, 1);
    f.build();
    currentLevel.style = c.levelStyle;
    addElement(static_cast<uint32_t>(c.kind), 0, 0, 0);
    editor.animFrame = 1;
    f.clearAndDraw();
    EXPECT_EQ(at(f, 0, 0), paletteRgba(c.expectedBlock)) << "kind " << c.kind << " style " << c.levelStyle;
  }
}

TEST(DrawObject, KindSixDrawsEveryPartOnceShiftedBackByItsShift) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.anims.push_back(makePattern(1, 1, 1, false, {4}));
  currentStyle.anims.push_back(makePattern(1, 1, 2, false, {5, 6}));
  f.addAnimDef(ObjectKindComposite, 0, 2, 1);
  ObjectDef& d = currentStyle.objectDefs[0];
  d.partCount = 2;
  d.partAnim.push_back(&currentStyle.anims[1]);
  d.partDx.push_back(1);
  d.partDy.push_back(0);
  d.shiftX = 1;
  d.shiftY = 2;
  f.build();
  addElement(6, 0, 3, 3, 2, 2);  // counts are ignored by kind 6
  editor.animFrame = 3;
  f.clearAndDraw();
  EXPECT_EQ(at(f, 2, 1), paletteRgba(4));
  EXPECT_EQ(at(f, 3, 1), paletteRgba(6));
  EXPECT_EQ(at(f, 4, 1), paletteRgba(0));
  EXPECT_EQ(at(f, 2, 2), paletteRgba(0));
  EXPECT_EQ(at(f, 3, 3), paletteRgba(0));
}

TEST(DrawLevel, SelectedElementsFollowTheDragWhileMoving) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.anims.push_back(makePattern(1, 1, 1, false, {6}));
  f.addAnimDef(ObjectKindObject, 0, 1, 1);
  f.build();
  addElement(ObjectKindTerrainCell, 3, 0, 0)->state = Selected;
  addElement(ObjectKindTerrainCell, 4, 0, 4);
  addElement(ObjectKindObject, 0, 5, 0)->state = BandMarked;
  editor.dragBlocksX = 2;
  editor.dragBlocksY = 1;
  editor.editState = BandSelecting;  // not moving: everything in place
  f.clearAndDraw();
  EXPECT_EQ(at(f, 0, 0), paletteRgba(3));
  EXPECT_EQ(at(f, 5, 0), paletteRgba(6));
  editor.editState = MovingSelection;
  f.clearAndDraw();
  EXPECT_EQ(at(f, 0, 0), paletteRgba(0));
  EXPECT_EQ(at(f, 2, 1), paletteRgba(3));
  EXPECT_EQ(at(f, 7, 1), paletteRgba(6));
  EXPECT_EQ(at(f, 0, 4), paletteRgba(4));
}

TEST(DrawLevel, AltViewTintsByTerrainFlagsAndObjectKind) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.pieces.push_back(makePattern(1, 1, 1, true, {3}));
  currentStyle.anims.push_back(makePattern(1, 1, 1, false, {3}));
  for (int kind = 3; kind <= 9; ++kind) f.addAnimDef(kind, 0, 1, 1);
  f.build();
  addElement(ObjectKindTerrainCell, 3, 0, 0);
  addElement(ObjectKindTerrainCell, 3, 1, 0)->flags = 0x4000;
  addElement(ObjectKindTerrainCell, 3, 2, 0)->flags = 0x8000;  // unknown flags: the 0x4000 class
  addElement(ObjectKindTerrainPiece, 0, 0, 1);
  addElement(ObjectKindTerrainPiece, 0, 1, 1)->flags = 0x4000;
  addElement(ObjectKindTerrainPiece, 0, 2, 1)->flags = 0x0001;
  for (int kind = 3; kind <= 9; ++kind) addElement(static_cast<uint32_t>(kind), kind - 3, kind - 3, 2);
  editor.altView = 1;
  f.clearAndDraw();
  const Rgba yellow{255, 255, 0, 255}, olive{128, 128, 0, 255}, grey{128, 128, 128, 255};
  EXPECT_TRUE(near(at(f, 0, 0), yellow));
  EXPECT_TRUE(near(at(f, 1, 0), olive)) << at(f, 1, 0);
  EXPECT_TRUE(near(at(f, 2, 0), olive)) << at(f, 2, 0);
  EXPECT_TRUE(near(at(f, 0, 1), yellow));
  EXPECT_TRUE(near(at(f, 1, 1), grey)) << at(f, 1, 1);
  EXPECT_TRUE(near(at(f, 2, 1), grey)) << at(f, 2, 1);
  const Rgba kindColours[7] = {{128, 128, 128, 255}, {0, 0, 255, 255}, {0, 255, 255, 255}, {0, 255, 0, 255},
                               {255, 0, 0, 255},     {255, 0, 255, 255}, {255, 128, 0, 255}};
  for (int kind = 3; kind <= 9; ++kind)
    EXPECT_TRUE(near(at(f, kind - 3, 2), kindColours[kind - 3])) << "kind " << kind << " " << at(f, kind - 3, 2);
}

TEST(DrawLevel, ElementsNamingMissingTablesOrEmptyAnimationsAreSkipped) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.pieces.push_back(makePattern(2, 2, 1, true, {3}));  // fewer cells than its size
  currentStyle.anims.push_back(makePattern(1, 1, 0, false, {}));   // no frames
  f.addAnimDef(ObjectKindObject, 0, 1, 1);
  f.addAnimDef(ObjectKindObject, 0, 1, 1);
  currentStyle.objectDefs[1].partAnim[0] = nullptr;  // a part without animation
  f.addAnimDef(ObjectKindComposite, 0, 1, 1);
  currentStyle.objectDefs[2].partCount = 3;           // more parts than it holds
  f.build();
  addElement(ObjectKindTerrainPiece, 0, 0, 0);
  addElement(ObjectKindTerrainPiece, 7, 1, 0);
  addElement(8, 0, 2, 0);
  addElement(8, 1, 3, 0);
  addElement(6, 2, 4, 0);
  addElement(8, 99, 5, 0);
  addElement(ObjectKindTerrainCell, 200, 6, 0);
  f.clearAndDraw();
  EXPECT_TRUE(f.regionIs(0, 0, 128, 64, paletteRgba(0)));
}

TEST(LevelTransform, MapsLevelPixelsThroughCentreZoomCameraAndPan) {
  RenderFixture f(128, 64, 8, 2, 2);
  SKIP_WITHOUT_GL(f.gl);
  f.build();
  addElement(ObjectKindTerrainCell, 5, 0, 0);
  editor.viewCentreX = 64;
  editor.viewCentreY = 32;
  editor.zoom = 2;
  editor.cameraX = 16;
  editor.cameraY = 8;
  editor.dragPixelsX = 4;
  f.clearAndDraw();
  // level (0,0) -> client (64 + 2*(0-16+4), 32 + 2*(0-8)) = (40, 16); a block is 32 x 16
  EXPECT_TRUE(f.regionIs(40, 16, 32, 16, paletteRgba(5)));
  EXPECT_EQ(f.gl.readPixel(39, 16), Clear);
  EXPECT_EQ(f.gl.readPixel(40, 15), Clear);
  EXPECT_EQ(f.gl.readPixel(72, 16), paletteRgba(0));
}

TEST(DrawNewObject, DrawsOnlyWhilePlacingAtItsSpanCorner) {
  RenderFixture f(128, 64, 8);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.pieces.push_back(makePattern(1, 1, 1, true, {3}));
  currentStyle.anims.push_back(makePattern(1, 1, 1, false, {5}));
  f.addAnimDef(ObjectKindStill, 0, 1, 1);
  f.build();
  editor.newObject = LevelObject{};
  editor.newObject.kind = ObjectKindTerrainPiece;
  editor.newObject.x = 4;
  editor.newObject.y = 3;
  editor.newObject.paramA = 1;
  editor.newItemWidth = 1;
  editor.newItemHeight = 1;
  editor.spanX = -1;
  const auto drawNew = [&] {
    f.gl.setPixelProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    drawNewObject();
  };
  editor.editState = Idle;
  drawNew();
  EXPECT_TRUE(f.regionIs(0, 0, 128, 64, Clear));
  editor.editState = SizingNewObject;
  editor.altView = 1;  // a piece being placed stays white in the alternate view
  drawNew();
  EXPECT_EQ(at(f, 3, 3), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(at(f, 4, 3), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(at(f, 5, 3), Clear);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  editor.newObject.kind = ObjectKindStill;
  editor.spanX = 0;
  editor.editState = Placing;
  drawNew();
  EXPECT_EQ(at(f, 4, 3), (Rgba{0, 255, 255, 255}));
  editor.altView = 0;
  editor.editState = PanningWhilePlacing;
  drawNew();
  EXPECT_EQ(at(f, 4, 3), paletteRgba(5));
}
