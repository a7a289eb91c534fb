// The panels' input behaviour: laying out the item bar and its scroll bar,
// press, drag, release and auto-repeat, and the item under the pointer.
// Drawing is in render/panel_draw.cpp; shared geometry in state/panel_metrics.
//
// Contents: layout (setBarKind, layoutPanels) - scroll-bar input - panel
// operations - itemAtPoint.

#include "edit/panel_input.h"

#include "state/editor_state.h"
#include "state/panel_metrics.h"
#include "platform/events.h"
#include "state/camera.h"

// Layout ---------------------------------------------------------------------

void setBarKind(int kind) {
  editor.barKind = kind;
  Panel& bar = editor.panels[1];
  // Terrain starts one cell in: piece 0 is never offered.
  bar.minValue = kind == BarObjects ? 0 : itemPitch();
  bar.value = bar.minValue;
  layoutPanels();
}

void layoutPanels() {
  const int cw = clientWidth();
  const int ch = clientHeight();
  if (cw <= 1 && ch <= 1) return;  // minimised or no window yet: keep the last layout
  const int pitch = itemPitch();

  Panel& bar = editor.panels[1];
  bar.kind = PanelScrollBar;
  bar.x = BarInset;
  bar.y = ch - ScrollButtonSize - BarInset;
  bar.width = cw - 2 * BarInset;
  bar.lineStep = pitch;
  bar.pageStep = pitch > 0 ? visibleStripWidth() / pitch * pitch : 0;  // whole cells
  bar.maxValue = barItemCount() * pitch + ItemGap - visibleStripWidth();
  panelRelayout(&bar);
  scrollSetValue(&bar, bar.value);

  Panel& area = editor.panels[0];
  area.kind = PanelPlain;
  area.x = 0;
  area.y = ch - barHeight();
  area.width = cw;
  area.height = barHeight();
  editor.hoverItem = -1;
  editor.chosenItem = -1;
  panelRelayout(&area);
}

// Scroll-bar input ---------------------------------------------------------------

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
  if (button != ButtonLeft || !isScrollable(panel)) return;
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

void panelPress(Panel* panel, int button) {
  panel->pressX = panel->pointerX;
  panel->pressY = panel->pointerY;
  if (panel->kind == PanelScrollBar) scrollPress(panel, button);
}

void panelMove(Panel* panel, int px, int py) {
  panel->pointerX = px - panel->x;
  panel->pointerY = py - panel->y;
  if (panel->kind == PanelScrollBar) scrollDrag(panel);
}

void panelRelease(Panel* panel, int) {
  if (panel->kind == PanelScrollBar) panel->activePart = NoPart;
}

void panelTick(Panel* panel) {
  if (panel->kind == PanelScrollBar) scrollRepeat(panel);
}

// A wheel step is no press: nothing is held afterwards, so no later click
// can land on the panel it turned over.
void scrollBarByWheel(int steps) {
  Panel& bar = editor.panels[1];
  if (!isScrollable(&bar)) return;
  scrollSetValue(&bar, bar.value + steps * bar.lineStep);
  if (editor.hoverPanel == 0) editor.hoverItem = itemAtPoint();  // the strip moved under the pointer
}

// Item under the pointer -------------------------------------------------------

int itemAtPoint() {
  const Panel& area = editor.panels[0];
  const int pitch = itemPitch();
  if (pitch <= 0 || area.pointerY < BarCellTop || area.pointerY >= BarCellTop + editor.itemSize) return -1;
  // The strip as drawn: when everything fits, the bar's value may lie below
  // its first offered item, and the drawing starts at that item regardless.
  const int offset = stripOffset();
  const int c = area.pointerX + offset % pitch - (BarCellLeft - ItemGap);  // each pitch starts with its gap
  if (c % pitch < ItemGap) return -1;
  const int item = offset / pitch + c / pitch;
  return item < barItemCount() ? item : -1;
}
