#include "render/overlays.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "support/edit_fixture.h"
#include "headless/headless_gl.h"
#include "support/skips.h"

namespace {

// Pixel probes over the frame. Lines follow the platform's rasterisation, so
// probes look for a line's colour within a pixel of where it is specified.
struct Frame {
  std::vector<Rgba> pixels;
  int width;
  Rgba at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  int count(int x0, int y0, int x1, int y1, const std::function<bool(Rgba)>& match) const {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) n += match(at(x, y)) ? 1 : 0;
    return n;
  }
};

bool grey(Rgba c, int level) {
  return std::abs(c.r - level) <= 1 && c.r == c.g && c.g == c.b;
}
auto isGrey(int level) {
  return [level](Rgba c) { return grey(c, level); };
}
bool isRed(Rgba c) { return c.r == 255 && c.g == 0 && c.b == 0; }

struct Overlays : ::testing::Test {
  EditFixture fx;
  // Set up before the context so that its client size matches the window record.
  void setUpView(int cw, int ch, int levelW, int levelH, int zoom, int originX, int originY) {
    fx.setUp(levelW, levelH);
    fx.window.width = cw;
    fx.window.height = ch;
    editor.zoom = zoom;
    editor.originX = originX;
    editor.originY = originY;
  }
  Frame grab(const HeadlessGl& gl) { return {gl.readFrame(), gl.width}; }
};

void expectStateRestored(const char* what) {
  EXPECT_FALSE(glIsEnabled(GL_BLEND)) << what;
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST)) << what;
  EXPECT_FALSE(glIsEnabled(GL_LINE_STIPPLE)) << what;
  GLboolean mask[4];
  glGetBooleanv(GL_COLOR_WRITEMASK, mask);
  EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]) << what;
}

TEST_F(Overlays, MarginsStopAtTheLevelAndEdgesAreDashed) {
  setUpView(320, 200, 10, 10, 1, 100, 20);  // level x 100..259, y 20..99
  HeadlessGl gl(320, 200);
  SKIP_WITHOUT_GL(gl);
  drawMargins();
  const Frame f = grab(gl);
  const Rgba blank{0, 0, 0, 0};
  EXPECT_TRUE(grey(f.at(50, 150), 191));   // left margin
  EXPECT_TRUE(grey(f.at(200, 10), 191));   // top margin
  EXPECT_TRUE(grey(f.at(290, 60), 191));   // right margin
  EXPECT_TRUE(grey(f.at(200, 150), 191));  // bottom margin
  EXPECT_EQ(f.at(100, 60), blank) << "the level's first column is not covered";
  EXPECT_TRUE(grey(f.at(150, 19), 191) || grey(f.at(150, 19), 128)) << "the top margin ends at row 19";
  EXPECT_EQ(f.at(150, 21), blank);
  EXPECT_EQ(f.at(258, 98), blank);

  // The left edge runs at x = 99, dashed: both dash and gap along its length.
  const int dash = f.count(98, 0, 99, 199, isGrey(128));
  EXPECT_GT(dash, 40);
  EXPECT_LT(dash, 160);
  EXPECT_EQ(f.count(90, 30, 96, 90, isGrey(128)), 0) << "nothing but margin left of the edge";
  expectStateRestored("drawMargins");
}

TEST_F(Overlays, OnlyTheGrabbedEdgeIsWhiteAndOnlyWhileIdleOrResizing) {
  setUpView(320, 200, 10, 10, 1, 100, 20);
  HeadlessGl gl(320, 200);
  SKIP_WITHOUT_GL(gl);
  const auto white = isGrey(255);
  editor.edgeMask = EdgeLeft;
  drawMargins();
  Frame f = grab(gl);
  EXPECT_GT(f.count(98, 110, 99, 199, white), 0) << "left edge white";
  EXPECT_EQ(f.count(258, 110, 261, 199, white), 0) << "right edge grey";
  EXPECT_GT(f.count(258, 110, 261, 199, isGrey(128)), 0);
  EXPECT_EQ(f.count(0, 18, 319, 21, white), f.count(98, 18, 99, 21, white)) << "top edge grey";

  editor.editState = Panning;
  editor.edgeMask = EdgeBits;
  drawMargins();
  f = grab(gl);
  EXPECT_EQ(f.count(0, 0, 319, 199, white), 0);
}

TEST_F(Overlays, LeftGuideLiesOutwardByThePendingChangeAndTurnsRedWhenRefused) {
  setUpView(420, 120, 4, 4, 3, 200, 10);  // dashed left edge at x = 199
  HeadlessGl gl(420, 120);
  SKIP_WITHOUT_GL(gl);
  editor.editState = ResizingLevel;
  editor.edgeMask = EdgeLeft;
  editor.resizeDx = 2;
  drawResizeGuides();
  Frame f = grab(gl);
  const auto white = isGrey(255);
  EXPECT_GT(f.count(102, 0, 103, 119, white), 20) << "96 pixels left of x = 199";
  EXPECT_EQ(f.count(0, 0, 419, 119, white), f.count(102, 0, 103, 119, white)) << "one guide only";
  expectStateRestored("drawResizeGuides");

  glClear(GL_COLOR_BUFFER_BIT);
  editor.edgeMask = EdgeLeft | EdgeLeft << EdgeRefusedShift;
  drawResizeGuides();
  f = grab(gl);
  EXPECT_GT(f.count(102, 0, 103, 119, isRed), 20);
  EXPECT_EQ(f.count(0, 0, 419, 119, white), 0);

  glClear(GL_COLOR_BUFFER_BIT);
  editor.edgeMask = EdgeLeft;
  editor.resizeDx = 0;  // no pending change, no guide
  drawResizeGuides();
  f = grab(gl);
  EXPECT_EQ(f.count(0, 0, 419, 119, [](Rgba c) { return c.a != 0; }), 0);
}

TEST_F(Overlays, OverlappingHighlightsAreTintedOnce) {
  setUpView(128, 64, 8, 8, 1, 0, 0);
  HeadlessGl gl(128, 64);
  SKIP_WITHOUT_GL(gl);
  LevelObject* a = fx.addObjectOfDef(2, 0, 0);  // x 0..31, y 0..15
  LevelObject* b = fx.addObjectOfDef(2, 1, 1);  // x 16..47, y 8..23
  LevelObject* leaving = fx.addObjectOfDef(0, 5, 5);
  LevelObject* hover = fx.addObjectOfDef(0, 6, 0);
  a->state = Selected;
  b->state = BandMarked;
  leaving->state = BandUnmarked;
  editor.hoverObject = hover;
  drawHighlights();
  const Frame f = grab(gl);
  const Rgba single = f.at(4, 4);
  EXPECT_NEAR(single.r, 128, 1);
  EXPECT_EQ(f.at(20, 12), single) << "the overlap is tinted once";
  EXPECT_EQ(f.at(40, 20), single);
  EXPECT_EQ(f.at(100, 4), single) << "the hovered element";
  EXPECT_EQ(f.at(5 * 16 + 4, 5 * 8 + 4).r, 0) << "a selection about to be dropped is not tinted";
  EXPECT_EQ(f.at(60, 40).r, 0);
  expectStateRestored("drawHighlights");
}

TEST_F(Overlays, PlacingTintsOnlyTheNewObjectFaintlyAtItsCopyOffset) {
  setUpView(128, 64, 8, 8, 1, 0, 0);
  HeadlessGl gl(128, 64);
  SKIP_WITHOUT_GL(gl);
  fx.addObjectOfDef(0, 0, 0)->state = Selected;
  editor.editState = SizingNewObject;
  editor.newObject = LevelObject{};
  editor.newObject.x = 4;
  editor.newObject.y = 2;
  editor.newObject.width = 2;
  editor.newObject.height = 1;
  editor.newItemWidth = 1;
  editor.spanX = -1;  // the copies run one item width left of the press
  drawHighlights();
  const Frame f = grab(gl);
  EXPECT_NEAR(f.at(3 * 16 + 4, 2 * 8 + 4).r, 64, 1);
  EXPECT_NEAR(f.at(4 * 16 + 4, 2 * 8 + 4).r, 64, 1);
  EXPECT_EQ(f.at(5 * 16 + 4, 2 * 8 + 4).r, 0);
  EXPECT_EQ(f.at(4, 4).r, 0) << "the selection is not shown while placing";
}

TEST_F(Overlays, BandIsWhiteOverTheLevelAndGreyOverTheMargins) {
  setUpView(320, 200, 10, 10, 1, 100, 50);  // level x 100..259, y 50..129
  HeadlessGl gl(320, 200);
  SKIP_WITHOUT_GL(gl);
  editor.editState = BandSelecting;
  editor.anchorX = 60;
  editor.anchorY = 80;
  editor.dragDx = 140;
  editor.dragDy = 30;
  drawBand();
  const Frame f = grab(gl);
  const auto white = isGrey(255);
  const auto darkGrey = isGrey(128);
  // The band's top side crosses the level's left border at x = 100.
  EXPECT_GT(f.count(60, 79, 99, 80, darkGrey), 5);
  EXPECT_EQ(f.count(60, 79, 99, 80, white), 0);
  EXPECT_GT(f.count(100, 79, 198, 80, white), 10);
  EXPECT_EQ(f.count(100, 79, 198, 80, darkGrey), 0);
  EXPECT_EQ(f.count(0, 0, 319, 70, [](Rgba c) { return c.a != 0; }), 0) << "only the band is drawn";
  expectStateRestored("drawBand");
}

TEST_F(Overlays, AlternateViewOutlinesKindSevenAndDrawsNoHighlights) {
  setUpView(128, 64, 8, 8, 1, 0, 0);
  HeadlessGl gl(128, 64);
  SKIP_WITHOUT_GL(gl);
  LevelObject* marked = fx.addObjectOfDef(2, 2, 1);  // kind 7: x 32..63, y 8..23
  fx.addObjectOfDef(0, 6, 4)->state = Selected;  // a still object, selected
  marked->state = Selected;
  editor.altView = 1;
  drawHighlights();
  drawAltMarks();
  const Frame f = grab(gl);
  EXPECT_GT(f.count(31, 8, 64, 10, isRed), 4) << "top side";
  EXPECT_GT(f.count(31, 22, 64, 25, isRed), 4) << "bottom side";
  EXPECT_EQ(f.count(0, 0, 127, 63, isRed), f.count(31, 8, 64, 25, isRed)) << "nothing outside the outline";
  EXPECT_EQ(f.count(0, 0, 127, 63, isGrey(128)), 0) << "no highlights in the alternate view";
  EXPECT_EQ(f.count(40, 12, 56, 20, isRed), 0) << "an outline, not a fill";
  expectStateRestored("drawAltMarks");
}

TEST_F(Overlays, StartViewFrameFadesInwardAndDropsTheDragWhileReady) {
  setUpView(400, 240, 30, 30, 1, 20, 20);
  HeadlessGl gl(400, 240);
  SKIP_WITHOUT_GL(gl);
  currentLevel.startX = 1;
  currentLevel.startY = 2;  // frame from (36, 36) to (356, 196)
  editor.editState = StartViewReady;
  editor.dragBlocksX = 5;
  drawStartView();
  EXPECT_EQ(editor.dragBlocksX, 0);
  const Frame f = grab(gl);
  EXPECT_GT(f.at(36, 100).g, 200) << "opaque at the outer edge";
  EXPECT_LT(f.at(39, 100).g, f.at(37, 100).g) << "fading inward";
  EXPECT_EQ(f.at(42, 100).g, 0) << "4 pixels wide";
  EXPECT_EQ(f.at(30, 100).g, 0);
  EXPECT_GT(f.at(200, 36).g, 200);
  expectStateRestored("drawStartView");

  glClear(GL_COLOR_BUFFER_BIT);
  editor.editState = MovingStartView;
  editor.dragBlocksX = 2;  // kept while moving: frame starts at x = 68
  drawStartView();
  EXPECT_GT(gl.readPixel(68, 100).g, 200);
  EXPECT_EQ(gl.readPixel(36, 100).g, 0);
}

}  // namespace
