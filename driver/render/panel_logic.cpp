// Panel layout and behaviour: the item bar's geometry, the scroll bar's
// metrics, hit test, press, drag and auto-repeat, and the item under the
// pointer. No drawing here (see panel_draw.cpp).
//
// Contents: layout (setBarKind, layoutPanels) - panel operations -
// scroll-bar metrics and value - itemAtPoint.

#include <algorithm>

#include "core/editor_state.h"
#include "platform/window.h"
#include "render/panels.h"

static int itemPitch() { return editor.itemSize + 4; }  // cell plus the 4-pixel gap

static int barItemCount() {
  if (editor.barKind == 2)
    return static_cast<int>(std::min<size_t>(currentStyle.pieceCount, currentStyle.pieces.size()));
  return static_cast<int>(std::min<size_t>(currentStyle.objectDefCount, currentStyle.objectDefs.size()));
}

static int isScrollable(const Panel* panel) { return panel->thumbLength < panel->trackLength; }

// Thumb offset from the start of the track, in pixels.
static int thumbOffset(const Panel* panel) {
  return static_cast<int>(panel->thumbRange * panel->fraction);
}

// Layout ---------------------------------------------------------------------

void setBarKind(int kind) {
  editor.barKind = kind;
  Panel& bar = editor.panels[1];
  // Terrain starts one cell in: piece 0 is never offered.
  bar.minValue = kind == 8 ? 0 : itemPitch();
  bar.value = bar.minValue;
  layoutPanels();
}

void layoutPanels() {
  if (!editor.window) return;
  const int cw = editor.window->width;
  const int ch = editor.window->height;
  if (cw <= 1 && ch <= 1) return;  // minimised: keep the last layout
  const int pitch = itemPitch();

  Panel& bar = editor.panels[1];
  bar.kind = 2;
  bar.x = 2;
  bar.y = ch - 18;
  bar.width = cw - 4;
  bar.lineStep = pitch;
  bar.pageStep = pitch > 0 ? (cw - 4) / pitch * pitch : 0;  // whole cells
  bar.maxValue = barItemCount() * pitch + 4 - (cw - 4);
  panelRelayout(&bar);
  scrollSetValue(&bar, bar.value);

  Panel& area = editor.panels[0];
  area.kind = 0;
  area.x = 0;
  area.y = ch - editor.itemSize - 28;
  area.width = cw;
  area.height = editor.itemSize + 28;
  editor.hoverItem = -1;
  editor.chosenItem = -1;
  panelRelayout(&area);
}

// Scroll-bar metrics and value -------------------------------------------------

// Track length divided by the ratio of the whole range to the visible page.
// A page of no pixels (window narrower than one cell) with something to scroll
// gives the smallest thumb; an empty or inverted range gives a thumb filling
// the track, so the bar is never scrollable then and nothing divides by zero.
static int thumbLengthFor(const Panel* panel) {
  const int range = panel->maxValue - panel->minValue;
  int length;
  if (panel->pageStep <= 0) {
    length = range > 0 ? 0 : panel->trackLength;
  } else {
    const float ratio = static_cast<float>(range) / static_cast<float>(panel->pageStep) + 1.0f;
    length = ratio > 0.0f ? static_cast<int>(static_cast<float>(panel->trackLength) / ratio)
                          : panel->trackLength;
  }
  return length < 8 ? 8 : length;
}

static void scrollMetrics(Panel* panel) {
  if (panel->vertical) {
    panel->width = 16;
    panel->trackLength = panel->height - 32;
  } else {
    panel->height = 16;
    panel->trackLength = panel->width - 32;
  }
  panel->right = panel->x + panel->width - 1;
  panel->bottom = panel->y + panel->height - 1;
  panel->thumbLength = thumbLengthFor(panel);
  panel->thumbRange = panel->trackLength - panel->thumbLength;
  if (!isScrollable(panel)) panel->value = panel->minValue;
}

void panelRelayout(Panel* panel) {
  panel->right = panel->x + panel->width - 1;
  panel->bottom = panel->y + panel->height - 1;
  if (panel->kind == 2) scrollMetrics(panel);
}

void scrollSetValue(Panel* panel, int value) {
  if (value < panel->minValue) value = panel->minValue;
  if (value > panel->maxValue) value = panel->maxValue;  // an inverted range: maxValue wins
  const int range = panel->maxValue - panel->minValue;
  // An empty range never scrolls; 0 keeps the thumb offset defined for drawing.
  panel->fraction = range != 0 ? static_cast<double>(value - panel->minValue) / range : 0.0;
  panel->value = value;
}

unsigned scrollHitTest(const Panel* panel, int px, int py) {
  // Along and across the bar, so one test serves both orientations.
  const int along = panel->vertical ? py : px;
  const int across = panel->vertical ? px : py;
  const int length = panel->vertical ? panel->height : panel->width;
  const int thickness = panel->vertical ? panel->width : panel->height;
  if (along < 0 || along >= length || across < 0 || across >= thickness) return NoPart;
  const int off = thumbOffset(panel);
  const bool inButtonRow = across <= 15;
  if (inButtonRow && along <= 15) return BackArrow;
  if (inButtonRow && along >= length - 16) return ForwardArrow;
  if (inButtonRow && along >= off + 16 && along <= off + 15 + panel->thumbLength) return Thumb;
  if (inButtonRow && along >= 16 && along <= off + 15) return BackPage;
  return ForwardPage;
}

static void scrollStep(Panel* panel, unsigned part) {
  switch (part) {
    case BackArrow: scrollSetValue(panel, panel->value - panel->lineStep); break;
    case ForwardArrow: scrollSetValue(panel, panel->value + panel->lineStep); break;
    case BackPage: scrollSetValue(panel, panel->value - panel->pageStep); break;
    case ForwardPage: scrollSetValue(panel, panel->value + panel->pageStep); break;
    default: break;  // the thumb moves only by dragging
  }
}

static void scrollPress(Panel* panel, int button) {
  panel->activePart = NoPart;
  if (button != 1 || !isScrollable(panel)) return;
  panel->activePart = scrollHitTest(panel, panel->pressX, panel->pressY);
  panel->pressFraction = panel->fraction;
  panel->pointerOnPart = 1;
  panel->repeatCount = 0;
  scrollStep(panel, panel->activePart);
}

static void scrollDrag(Panel* panel) {
  if (!isScrollable(panel)) return;
  panel->pointerOnPart = scrollHitTest(panel, panel->pointerX, panel->pointerY) == panel->activePart;
  if (panel->activePart != Thumb) return;
  const int moved = panel->vertical ? panel->pointerY - panel->pressY : panel->pointerX - panel->pressX;
  int d = moved + static_cast<int>(panel->thumbRange * panel->pressFraction);
  if (d < 0) d = 0;
  if (d > panel->thumbRange) d = panel->thumbRange;
  panel->fraction = static_cast<double>(d) / panel->thumbRange;
  // Follows the thumb pixel by pixel, not in line steps.
  panel->value = static_cast<int>((panel->maxValue - panel->minValue) * panel->fraction) + panel->minValue;
}

// Held arrow or track: a step 25 ticks after the press, then every 5 ticks,
// while the pointer stays on the pressed part.
static void scrollRepeat(Panel* panel) {
  const unsigned part = scrollHitTest(panel, panel->pointerX, panel->pointerY);
  if (!isScrollable(panel)) return;
  panel->repeatCount += 1;
  if (panel->repeatCount == 20) panel->repeatCount = -5;
  if (panel->repeatCount <= 0) panel->pointerOnPart = part == panel->activePart;
  if (panel->activePart == NoPart || !panel->pointerOnPart || panel->repeatCount != 0) return;
  panel->repeatCount = -5;
  scrollStep(panel, panel->activePart);
}

// Panel operations -------------------------------------------------------------

int panelContains(const Panel* panel, int px, int py) {
  return px >= panel->x && px <= panel->right && py >= panel->y && py <= panel->bottom ? 1 : 0;
}

void panelPress(Panel* panel, int button) {
  panel->pressX = panel->pointerX;
  panel->pressY = panel->pointerY;
  if (panel->kind == 2) scrollPress(panel, button);
}

void panelMove(Panel* panel, int px, int py) {
  panel->pointerX = px - panel->x;
  panel->pointerY = py - panel->y;
  if (panel->kind == 2) scrollDrag(panel);
}

void panelRelease(Panel* panel, int) {
  if (panel->kind == 2) panel->activePart = NoPart;
}

void panelTick(Panel* panel) {
  if (panel->kind == 2) scrollRepeat(panel);
}

// Item under the pointer -------------------------------------------------------

int stripOffset() {
  const Panel& bar = editor.panels[1];
  const int pitch = itemPitch();
  if (pitch <= 0) return 0;
  int first = bar.value / pitch;
  int sub = bar.value % pitch;
  if (first < bar.minValue / pitch) {
    first = bar.minValue / pitch;
    sub = 0;
  }
  if (sub < 0) sub = 0;
  return first * pitch + sub;
}

int itemAtPoint() {
  const Panel& area = editor.panels[0];
  const int pitch = itemPitch();
  if (pitch <= 0 || area.pointerY < 7 || area.pointerY > area.height - 22) return -1;
  // The strip as drawn: when everything fits, the bar's value may lie below
  // its first offered item, and the drawing starts at that item regardless.
  const int offset = stripOffset();
  const int c = area.pointerX + offset % pitch - 2;
  if (c % pitch <= 3) return -1;  // the gap between two cells
  const int item = offset / pitch + c / pitch;
  return item < barItemCount() ? item : -1;
}
