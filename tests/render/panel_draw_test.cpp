// The item bar and its scroll bar as drawn into a headless 640 by 480
// context, checked by probing pixels inside the filled areas (line pixels are
// searched for in small regions, since their exact column is the rasteriser's).

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstdlib>
#include <set>
#include <utility>

#include "platform/window.h"
#include "edit/panel_input.h"
#include "render/panel_draw.h"
#include "state/camera.h"
#include "state/panel_metrics.h"
#include "render/textures.h"
#include "support/render_fixture.h"

namespace {

constexpr int ClientWidth = 640;
constexpr int ClientHeight = 480;
constexpr int CellTop = ClientHeight - 64 - 21;  // 395
constexpr Rgba White{255, 255, 255, 255};

int cellLeft(int k) { return 6 + 68 * k; }  // strip not scrolled

bool near(Rgba a, Rgba b) {
  return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1 && a.a == b.a;
}

Rgba greyOf(float level) {
  const auto v = static_cast<uint8_t>(level * 255.0f + 0.5f);
  return Rgba{v, v, v, 255};
}

// A bar over a style whose blocks are solid palette colours: pieces of one
// block (block 10 + i), and object definitions two blocks wide whose one-block
// animation shows block 20, so the right half of each thumbnail shows what is
// behind the drawing.
struct BarFixture : RenderFixture {
  AppWindow window{};
  explicit BarFixture(int pieces = 12, int defs = 12) : RenderFixture(ClientWidth, ClientHeight, 40) {
    window.width = ClientWidth;
    window.height = ClientHeight;
    editor.window = &window;
    editor.itemSize = 64;
    currentStyle.anims.reserve(1);
    currentStyle.anims.push_back(makePattern(1, 1, 1, false, {20}));
    for (int i = 0; i < pieces; ++i) currentStyle.pieces.push_back(makePattern(1, 1, 1, true, {10 + i}));
    for (int i = 0; i < defs; ++i) addAnimDef(ObjectKindObject, 0, 2, 1);
    build();
    setBarKind(BarPieces);
  }

  void draw() {
    gl.setPixelProjection();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawItemBar();
    panelDraw(&editor.panels[1]);
  }

  bool regionHas(int x, int y, int w, int h, Rgba colour) const {
    const std::vector<Rgba> frame = gl.readFrame();
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        if (near(frame[static_cast<size_t>(j) * gl.width + i], colour)) return true;
    return false;
  }

  std::set<std::pair<int, int>> blackPixels(int x, int y, int w, int h) const {
    std::set<std::pair<int, int>> found;
    const std::vector<Rgba> frame = gl.readFrame();
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        if (frame[static_cast<size_t>(j) * gl.width + i] == Rgba{0, 0, 0, 255}) found.insert({i, j});
    return found;
  }
};

}  // namespace

TEST(ItemBarDrawing, BarIs92PixelsHighAlongTheBottom) {
  BarFixture f;
  SKIP_WITHOUT_GL(f.gl);
  f.draw();
  EXPECT_EQ(f.gl.readPixel(300, 387), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(f.gl.readPixel(300, 392), White);          // bar above the cells
  EXPECT_EQ(f.gl.readPixel(cellLeft(1) - 2, 420), White);  // gap between two cells
  EXPECT_EQ(f.gl.readPixel(300, 460), White);          // between the cells and the scroll bar
  EXPECT_EQ(f.gl.readPixel(5, 470), greyOf(0.75f));     // back arrow button, rows 462..477
  EXPECT_FALSE(f.regionHas(10, 5, 600, 380, White));   // nothing drawn above the bar
}

TEST(ItemBarDrawing, CellsSitAtTheirPositionsWithTheirThumbnails) {
  BarFixture f;
  SKIP_WITHOUT_GL(f.gl);
  f.draw();
  // Terrain starts at piece 1: cell k shows piece k + 1, one block centred.
  for (int k = 0; k < 3; ++k) {
    const int x = cellLeft(k);
    EXPECT_EQ(f.gl.readPixel(x + 5, CellTop + 5), White) << "cell " << k;
    EXPECT_EQ(f.gl.readPixel(x + 60, CellTop + 60), White) << "cell " << k;
    EXPECT_EQ(f.gl.readPixel(x + 32, CellTop + 32), paletteRgba(11 + k)) << "cell " << k;
    EXPECT_EQ(f.gl.readPixel(x + 24, CellTop + 28), paletteRgba(11 + k)) << "cell " << k;
    EXPECT_EQ(f.gl.readPixel(x + 23, CellTop + 32), White) << "cell " << k;
    EXPECT_EQ(f.gl.readPixel(x + 40, CellTop + 32), White) << "cell " << k;
    EXPECT_TRUE(f.regionHas(x + 62, CellTop + 20, 3, 20, greyOf(0.5f))) << "right border of cell " << k;
  }
}

TEST(ItemBarDrawing, ScrolledStripShiftsByTheSubCellOffset) {
  BarFixture f(30);
  SKIP_WITHOUT_GL(f.gl);
  scrollSetValue(&editor.panels[1], 68 * 3 + 20);  // piece 3, 20 pixels in
  f.draw();
  const int x = 6 - 20;
  EXPECT_EQ(f.gl.readPixel(x + 32, CellTop + 32), paletteRgba(13));
  EXPECT_EQ(f.gl.readPixel(x + 68 + 32, CellTop + 32), paletteRgba(14));
}

TEST(ItemBarDrawing, HoverAndChosenCellsAreTinted) {
  BarFixture f;
  SKIP_WITHOUT_GL(f.gl);
  editor.hoverItem = 2;  // second cell
  editor.chosenItem = 3;
  f.draw();
  EXPECT_TRUE(near(f.gl.readPixel(cellLeft(1) + 5, CellTop + 5), (Rgba{191, 191, 255, 255})));
  EXPECT_EQ(f.gl.readPixel(cellLeft(2) + 5, CellTop + 5), White);  // chosen only counts while placing

  editor.editState = Placing;
  editor.hoverItem = 3;  // the chosen tint wins over the hover tint
  f.draw();
  EXPECT_EQ(f.gl.readPixel(cellLeft(1) + 5, CellTop + 5), White);
  EXPECT_TRUE(near(f.gl.readPixel(cellLeft(2) + 5, CellTop + 5), (Rgba{128, 128, 255, 255})));
  EXPECT_TRUE(f.regionHas(cellLeft(2) + 62, CellTop + 20, 3, 20, (Rgba{0, 0, 255, 255})));
}

TEST(ItemBarDrawing, KindSixThumbnailHasNoBackground) {
  BarFixture f(12, 2);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.objectDefs[1].kind = ObjectKindComposite;
  setBarKind(BarObjects);
  f.draw();
  // A 2 by 1 definition: 32 by 8 pixels centred, the animation in its left half.
  const int y = CellTop + 32;
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 20, y), paletteRgba(20));
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 40, y), paletteRgba(0));  // background behind kind 8
  EXPECT_EQ(f.gl.readPixel(cellLeft(1) + 20, y), paletteRgba(20));
  EXPECT_EQ(f.gl.readPixel(cellLeft(1) + 40, y), White);           // kind 6: the cell shows through
}

TEST(ItemBarDrawing, LargeThumbnailsShrinkToFit) {
  BarFixture f(0, 0);
  SKIP_WITHOUT_GL(f.gl);
  // 8 blocks wide (128 pixels) by 2 rows: drawn at half size, 64 by 8.
  currentStyle.pieces.push_back(makePattern(1, 1, 1, true, {1}));
  currentStyle.pieces.push_back(makePattern(8, 2, 1, true, std::vector<int32_t>(16, 12)));
  f.build();
  setBarKind(BarPieces);
  f.draw();
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 1, CellTop + 32), paletteRgba(12));
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 60, CellTop + 31), paletteRgba(12));
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 30, CellTop + 27), White);
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 30, CellTop + 36), White);
}

TEST(ItemBarDrawing, AlternateViewKeepsColourTexturesButTintsObjects) {
  BarFixture f;
  SKIP_WITHOUT_GL(f.gl);
  editor.altView = 1;
  f.draw();
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 32, CellTop + 32), paletteRgba(11));

  setBarKind(BarObjects);
  f.draw();
  const Rgba c = paletteRgba(20);  // kind 8 tints magenta
  EXPECT_TRUE(near(f.gl.readPixel(cellLeft(0) + 20, CellTop + 32), (Rgba{c.r, 0, c.b, 255})));
}

TEST(ScrollBarDrawing, ThumbAndTrackFollowTheValueAndPresses) {
  BarFixture f(100);
  SKIP_WITHOUT_GL(f.gl);
  Panel& bar = editor.panels[1];
  ASSERT_LT(bar.thumbLength, bar.trackLength);
  f.draw();
  const int thumbX = 2 + 16 + static_cast<int>(bar.thumbRange * bar.fraction);
  EXPECT_EQ(f.gl.readPixel(thumbX + bar.thumbLength / 2, 470), greyOf(0.75f));
  EXPECT_EQ(f.gl.readPixel(thumbX + bar.thumbLength + 20, 470), greyOf(0.875f));

  scrollSetValue(&bar, bar.maxValue / 2);
  panelMove(&bar, 600, 470);  // track after the thumb
  panelPress(&bar, 1);
  ASSERT_EQ(bar.activePart, ForwardPage);
  f.draw();
  const int off = static_cast<int>(bar.thumbRange * bar.fraction);
  EXPECT_EQ(f.gl.readPixel(2 + 16 + off / 2, 470), greyOf(0.875f));  // before the thumb: not pressed
  EXPECT_EQ(f.gl.readPixel(2 + 16 + off + bar.thumbLength / 2, 470), greyOf(0.75f));
  EXPECT_EQ(f.gl.readPixel(600, 470), greyOf(0.375f));

  panelMove(&bar, 600, 300);  // off the part: drawn as not pressed
  f.draw();
  EXPECT_EQ(f.gl.readPixel(600, 470), greyOf(0.875f));
}

TEST(ScrollBarDrawing, BarThatCannotScrollHasAPlainTrackAndGreyGlyphs) {
  BarFixture f(4);
  SKIP_WITHOUT_GL(f.gl);
  f.draw();
  EXPECT_TRUE(f.blackPixels(2, 462, 16, 16).empty());
  EXPECT_TRUE(f.blackPixels(622, 462, 16, 16).empty());
  for (int x = 20; x < 620; x += 40) EXPECT_EQ(f.gl.readPixel(x, 470), greyOf(0.875f)) << x;
  // The strip starts at its first offered item with no sub-cell offset.
  EXPECT_EQ(f.gl.readPixel(cellLeft(0) + 32, CellTop + 32), paletteRgba(11));
}

TEST(ScrollBarDrawing, PressedArrowIsSunkenWithItsGlyphShifted) {
  BarFixture f(100);
  SKIP_WITHOUT_GL(f.gl);
  Panel& bar = editor.panels[1];
  const int bx = 622, by = 462;  // forward button
  f.draw();
  const auto raised = f.blackPixels(bx, by, 16, 16);
  ASSERT_FALSE(raised.empty());
  EXPECT_TRUE(f.regionHas(bx, by, 12, 3, White));  // raised: light top edge

  panelMove(&bar, bx + 8, by + 8);
  panelPress(&bar, 1);
  ASSERT_EQ(bar.activePart, ForwardArrow);
  f.draw();
  std::set<std::pair<int, int>> shifted;
  for (const auto& p : raised) shifted.insert({p.first + 1, p.second + 1});
  EXPECT_EQ(f.blackPixels(bx, by, 16, 16), shifted);
  EXPECT_FALSE(f.regionHas(bx, by, 12, 3, White));  // sunken: dark top edge
  EXPECT_TRUE(f.regionHas(bx, by, 12, 3, greyOf(0.375f)));

  panelMove(&bar, bx + 8, 300);  // pointer leaves: it pops out
  f.draw();
  EXPECT_EQ(f.blackPixels(bx, by, 16, 16), raised);
  panelMove(&bar, bx + 8, by + 8);  // and sinks again when it returns
  f.draw();
  EXPECT_EQ(f.blackPixels(bx, by, 16, 16), shifted);
}
