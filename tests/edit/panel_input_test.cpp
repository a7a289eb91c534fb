// Item bar layout and scroll-bar behaviour, driven as the input handlers and
// the tick drive them, with no window and no drawing.

#include <gtest/gtest.h>

#include <cstring>

#include "state/editor_state.h"
#include "platform/window.h"
#include "edit/panel_input.h"
#include "platform/events.h"
#include "state/camera.h"
#include "state/panel_metrics.h"

namespace {

AppWindow window;

// A style with `defs` object definitions and `pieces` terrain pieces, a
// 640 by 480 client area and the bar laid out as a load leaves it.
void setUpBar(int defs, int pieces, int barKind, int clientWidth = 640) {
  resetEditorState();
  window = AppWindow{};
  window.width = clientWidth;
  window.height = 480;
  editor.window = &window;
  editor.itemSize = 64;
  currentStyle = Style{};
  currentStyle.objectDefCount = static_cast<uint32_t>(defs);
  currentStyle.objectDefs.resize(defs);
  currentStyle.pieceCount = static_cast<uint32_t>(pieces);
  currentStyle.pieces.resize(pieces);
  setBarKind(barKind);
}

Panel& bar() { return editor.panels[1]; }
Panel& area() { return editor.panels[0]; }

// Presses button 1 at client (x, y) as the mouse handlers do: move, then press.
void pressAt(Panel& panel, int x, int y, int button = 1) {
  panelMove(&panel, x, y);
  panelPress(&panel, button);
}

void ticks(int n) {
  for (int i = 0; i < n; ++i) panelTick(&bar());
}

// Client coordinates of the scroll bar's parts (bar at x 2, y 462, 636 wide).
constexpr int BarY = 470;
constexpr int ForwardArrowX = 2 + 636 - 8;
constexpr int BackArrowX = 2 + 8;

}  // namespace

TEST(PanelLayout, ObjectBarAt640WideSitsAlongTheBottomWithWholeCellPages) {
  setUpBar(100, 0, 8);
  EXPECT_EQ(bar().kind, PanelScrollBar);
  EXPECT_EQ(bar().x, 2);
  EXPECT_EQ(bar().y, 462);
  EXPECT_EQ(bar().width, 636);
  EXPECT_EQ(bar().height, 16);
  EXPECT_EQ(bar().right, 637);
  EXPECT_EQ(bar().bottom, 477);
  EXPECT_EQ(bar().pageStep, 612);
  EXPECT_EQ(bar().lineStep, 68);
  EXPECT_EQ(bar().minValue, 0);
  EXPECT_EQ(bar().maxValue, 6168);
  EXPECT_EQ(bar().trackLength, 604);
  EXPECT_EQ(bar().thumbLength, 54);
  EXPECT_EQ(bar().thumbRange, 550);
  EXPECT_EQ(bar().value, 0);

  // The item bar is 92 pixels high along the bottom; the scroll bar sits in its rows 74..89.
  EXPECT_EQ(area().kind, PanelPlain);
  EXPECT_EQ(area().x, 0);
  EXPECT_EQ(area().y, 388);
  EXPECT_EQ(area().width, 640);
  EXPECT_EQ(area().height, 92);
  EXPECT_EQ(area().bottom, 479);
  EXPECT_EQ(bar().y - area().y, 74);
  EXPECT_EQ(editor.hoverItem, -1);
  EXPECT_EQ(editor.chosenItem, -1);
}

TEST(PanelLayout, TerrainBarStartsAtItsSecondPiece) {
  setUpBar(0, 100, 2);
  EXPECT_EQ(editor.barKind, BarPieces);
  EXPECT_EQ(bar().minValue, 68);
  EXPECT_EQ(bar().value, 68);
  EXPECT_EQ(stripOffset(), 68);
  panelMove(&area(), 6 + 30, 388 + 40);  // inside the first drawn cell
  EXPECT_EQ(itemAtPoint(), 1);
  // Piece 0 stays out of reach even when scrolling back.
  pressAt(bar(), BackArrowX, BarY);
  EXPECT_EQ(bar().value, 68);
}

TEST(PanelLayout, LayoutClearsHoverAndChoiceAndKeepsTheValueClamped) {
  setUpBar(100, 0, 8);
  scrollSetValue(&bar(), 6168);
  editor.hoverItem = 4;
  editor.chosenItem = 5;
  window.width = 1000;  // wider: less to scroll
  layoutPanels();
  EXPECT_EQ(bar().maxValue, 100 * 68 + 4 - 996);
  EXPECT_EQ(bar().value, bar().maxValue);
  EXPECT_EQ(editor.hoverItem, -1);
  EXPECT_EQ(editor.chosenItem, -1);
}

TEST(PanelLayout, TinyWindowLeavesThePanelsAsTheyWere) {
  setUpBar(100, 0, 8);
  scrollSetValue(&bar(), 700);
  const Panel before0 = area();
  const Panel before1 = bar();
  window.width = 1;
  window.height = 1;
  layoutPanels();
  EXPECT_EQ(std::memcmp(&before0, &area(), sizeof(Panel)), 0);
  EXPECT_EQ(std::memcmp(&before1, &bar(), sizeof(Panel)), 0);
}

TEST(PanelLayout, WindowNarrowerThanOneCellStillGivesAThumb) {
  setUpBar(100, 0, 8, 60);
  EXPECT_EQ(bar().pageStep, 0);
  EXPECT_EQ(bar().thumbLength, 8);
  EXPECT_EQ(bar().trackLength, 24);
}

TEST(ScrollBar, NothingScrollsWhenAllItemsFit) {
  setUpBar(5, 5, 8);
  EXPECT_GE(bar().thumbLength, bar().trackLength);
  const int before = bar().value;
  pressAt(bar(), ForwardArrowX, BarY);
  EXPECT_EQ(bar().activePart, NoPart);
  EXPECT_EQ(bar().value, before);
  ticks(40);
  EXPECT_EQ(bar().value, before);
  EXPECT_EQ(stripOffset(), 0);

  // Terrain: the range is inverted, yet the strip still starts at piece 1
  // and the pointer finds what is drawn there.
  setBarKind(BarPieces);
  EXPECT_LT(bar().value, bar().minValue);
  EXPECT_EQ(stripOffset(), 68);
  panelMove(&area(), 6 + 68 + 10, 388 + 40);
  EXPECT_EQ(itemAtPoint(), 2);
}

TEST(ScrollBar, EmptyRangeIsNeverScrollable) {
  setUpBar(0, 0, 8);
  bar().maxValue = bar().minValue;
  panelRelayout(&bar());
  scrollSetValue(&bar(), 5);
  EXPECT_GE(bar().thumbLength, bar().trackLength);
  EXPECT_EQ(bar().value, 0);
  EXPECT_EQ(bar().fraction, 0.0);
}

TEST(ScrollBar, HitTestFindsEachPart) {
  setUpBar(100, 0, 8);
  scrollSetValue(&bar(), 3084);  // half way: thumb offset 275
  EXPECT_EQ(scrollHitTest(&bar(), -1, 5), NoPart);
  EXPECT_EQ(scrollHitTest(&bar(), 5, 16), NoPart);
  EXPECT_EQ(scrollHitTest(&bar(), 636, 5), NoPart);
  EXPECT_EQ(scrollHitTest(&bar(), 0, 0), BackArrow);
  EXPECT_EQ(scrollHitTest(&bar(), 15, 15), BackArrow);
  EXPECT_EQ(scrollHitTest(&bar(), 16, 0), BackPage);
  EXPECT_EQ(scrollHitTest(&bar(), 290, 0), BackPage);
  EXPECT_EQ(scrollHitTest(&bar(), 291, 0), Thumb);
  EXPECT_EQ(scrollHitTest(&bar(), 344, 0), Thumb);
  EXPECT_EQ(scrollHitTest(&bar(), 345, 0), ForwardPage);
  EXPECT_EQ(scrollHitTest(&bar(), 619, 0), ForwardPage);
  EXPECT_EQ(scrollHitTest(&bar(), 620, 0), ForwardArrow);
  EXPECT_EQ(scrollHitTest(&bar(), 635, 15), ForwardArrow);
}

TEST(ScrollBar, VerticalBarSwapsTheAxes) {
  Panel p{};
  p.kind = PanelScrollBar;
  p.vertical = 1;
  p.height = 200;
  p.maxValue = 1000;
  p.pageStep = 100;
  panelRelayout(&p);
  EXPECT_EQ(p.width, 16);
  EXPECT_EQ(p.trackLength, 168);
  EXPECT_EQ(p.thumbLength, 15);  // 168 / 11
  EXPECT_EQ(scrollHitTest(&p, 5, 5), BackArrow);
  EXPECT_EQ(scrollHitTest(&p, 5, 190), ForwardArrow);
  EXPECT_EQ(scrollHitTest(&p, 5, 20), Thumb);
  EXPECT_EQ(scrollHitTest(&p, 5, 100), ForwardPage);
  EXPECT_EQ(scrollHitTest(&p, 16, 100), NoPart);
}

TEST(ScrollBar, ArrowsAndPagesStepAndClamp) {
  setUpBar(100, 0, 8);
  pressAt(bar(), ForwardArrowX, BarY);
  EXPECT_EQ(bar().activePart, ForwardArrow);
  EXPECT_EQ(bar().value, 68);
  panelRelease(&bar(), 1);
  EXPECT_EQ(bar().activePart, NoPart);

  // Track after the thumb: whole pages, pinned at the end.
  for (int i = 0; i < 12; ++i) {
    pressAt(bar(), 630 - 20, BarY);
    panelRelease(&bar(), 1);
  }
  EXPECT_EQ(bar().value, 6168);
  EXPECT_DOUBLE_EQ(bar().fraction, 1.0);

  pressAt(bar(), 2 + 20, BarY);  // track before the thumb
  EXPECT_EQ(bar().activePart, BackPage);
  EXPECT_EQ(bar().value, 6168 - 612);
  panelRelease(&bar(), 1);
  scrollSetValue(&bar(), 100);
  pressAt(bar(), BackArrowX, BarY);
  pressAt(bar(), BackArrowX, BarY);
  EXPECT_EQ(bar().value, 0);
}

TEST(ScrollBar, OnlyTheLeftButtonTakesTheBar) {
  setUpBar(100, 0, 8);
  pressAt(bar(), ForwardArrowX, BarY, 2);
  EXPECT_EQ(bar().activePart, NoPart);
  EXPECT_EQ(bar().value, 0);
  ticks(30);
  EXPECT_EQ(bar().value, 0);
}

TEST(ScrollBar, ThumbDragFollowsThePointerAndPinsAtBothEnds) {
  setUpBar(100, 0, 8);
  const int thumbX = 2 + 16 + 20;
  pressAt(bar(), thumbX, BarY);
  ASSERT_EQ(bar().activePart, Thumb);
  EXPECT_EQ(bar().value, 0);

  panelMove(&bar(), thumbX + 55, BarY);  // 55 of 550 pixels: a tenth
  EXPECT_EQ(bar().value, 616);
  panelMove(&bar(), thumbX + 56, BarY);  // one pixel, not one line step
  EXPECT_EQ(bar().value, static_cast<int>(6168 * (56.0 / 550)));

  panelMove(&bar(), thumbX + 2000, BarY);
  EXPECT_EQ(bar().value, 6168);
  EXPECT_DOUBLE_EQ(bar().fraction, 1.0);
  panelMove(&bar(), thumbX - 2000, 300);  // off the bar altogether
  EXPECT_EQ(bar().value, 0);
  EXPECT_EQ(bar().pointerOnPart, 0);
  panelRelease(&bar(), 1);

  // A second drag starts from where the first one left the thumb.
  scrollSetValue(&bar(), 3084);
  const int midThumbX = 2 + 16 + 275 + 10;
  pressAt(bar(), midThumbX, BarY);
  ASSERT_EQ(bar().activePart, Thumb);
  panelMove(&bar(), midThumbX + 1, BarY);
  EXPECT_EQ(bar().value, static_cast<int>(6168 * (276.0 / 550)));
}

TEST(ScrollBar, HeldArrowRepeatsAfter25TicksThenEvery5) {
  setUpBar(100, 0, 8);
  pressAt(bar(), ForwardArrowX, BarY);
  EXPECT_EQ(bar().value, 68);
  ticks(24);
  EXPECT_EQ(bar().value, 68);
  ticks(1);
  EXPECT_EQ(bar().value, 136);
  ticks(4);
  EXPECT_EQ(bar().value, 136);
  ticks(1);
  EXPECT_EQ(bar().value, 204);
  ticks(5);
  EXPECT_EQ(bar().value, 272);
  panelRelease(&bar(), 1);
  ticks(50);
  EXPECT_EQ(bar().value, 272);
}

TEST(ScrollBar, RepeatFallingDueOffThePartIsDropped) {
  setUpBar(100, 0, 8);
  pressAt(bar(), 630 - 20, BarY);  // forward page
  EXPECT_EQ(bar().value, 612);
  ticks(10);
  panelMove(&bar(), 630 - 20, 300);  // pointer leaves the bar
  EXPECT_EQ(bar().pointerOnPart, 0);
  ticks(15);                         // the repeat falls due now and is dropped
  EXPECT_EQ(bar().value, 612);
  panelMove(&bar(), 630 - 20, BarY);
  EXPECT_EQ(bar().pointerOnPart, 1);
  ticks(24);
  EXPECT_EQ(bar().value, 612);
  ticks(1);  // 25 ticks after the dropped one
  EXPECT_EQ(bar().value, 1224);
}

TEST(PanelOperations, ContainsIsInclusiveAndMoveIsPanelRelative) {
  setUpBar(100, 0, 8);
  EXPECT_EQ(panelContains(&area(), 0, 388), 1);
  EXPECT_EQ(panelContains(&area(), 639, 479), 1);
  EXPECT_EQ(panelContains(&area(), 640, 479), 0);
  EXPECT_EQ(panelContains(&area(), 0, 387), 0);
  panelMove(&area(), 100, 400);
  EXPECT_EQ(area().pointerX, 100);
  EXPECT_EQ(area().pointerY, 12);
  panelPress(&area(), 1);
  EXPECT_EQ(area().pressX, 100);
  EXPECT_EQ(area().pressY, 12);
}

TEST(ItemAtPoint, CellsGapsRowsAndTheEndOfTheList) {
  setUpBar(20, 0, 8);
  auto itemAt = [](int x, int y) {
    panelMove(&area(), x, 388 + y);
    return itemAtPoint();
  };
  // Cell k spans client x 6 + 68k .. 6 + 68k + 63 in rows 7..70 of the bar.
  EXPECT_EQ(itemAt(6, 40), 0);
  EXPECT_EQ(itemAt(69, 40), 0);
  EXPECT_EQ(itemAt(70, 40), -1);  // the gap
  EXPECT_EQ(itemAt(73, 40), -1);
  EXPECT_EQ(itemAt(74, 40), 1);
  EXPECT_EQ(itemAt(6, 6), -1);
  EXPECT_EQ(itemAt(6, 7), 0);
  EXPECT_EQ(itemAt(6, 70), 0);
  EXPECT_EQ(itemAt(6, 71), -1);

  // Scrolled by 100 pixels: the first drawn cell is item 1, shifted left by 32.
  scrollSetValue(&bar(), 100);
  EXPECT_EQ(itemAt(6, 40), 1);
  EXPECT_EQ(itemAt(6 + 36, 40), 2);

  // Scrolled to the end, the last cell is item 19 and nothing follows it.
  scrollSetValue(&bar(), bar().maxValue);
  const int lastCellX = 6 + 19 * 68 - bar().maxValue;
  EXPECT_EQ(itemAt(lastCellX + 10, 40), 19);
  setUpBar(3, 0, 8);
  EXPECT_EQ(itemAt(6 + 3 * 68 + 10, 40), -1);
}
