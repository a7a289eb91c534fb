// Geometry the panels' drawing and their input share: the item pitch, the
// scroll bar's metrics, value and hit test, and where the item strip starts.
// Pure arithmetic over EditorState; no drawing and no input handling.

#include "state/panel_metrics.h"

#include <algorithm>

#include "state/camera.h"
#include "state/editor_state.h"

int itemPitch() { return editor.itemSize + ItemGap; }
int barHeight() { return BarCellTop + editor.itemSize + BarBelowCells; }
int visibleStripWidth() { return clientWidth() - 2 * BarInset; }

int barItemCount() {
  if (editor.barKind == BarPieces)
    return static_cast<int>(std::min<size_t>(currentStyle.pieceCount, currentStyle.pieces.size()));
  return static_cast<int>(std::min<size_t>(currentStyle.objectDefCount, currentStyle.objectDefs.size()));
}

int isScrollable(const Panel* panel) { return panel->thumbLength < panel->trackLength; }

// Thumb offset from the start of the track, in pixels.
int thumbOffset(const Panel* panel) {
  return static_cast<int>(panel->thumbRange * panel->fraction);
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
    panel->width = ScrollButtonSize;
    panel->trackLength = panel->height - 2 * ScrollButtonSize;
  } else {
    panel->height = ScrollButtonSize;
    panel->trackLength = panel->width - 2 * ScrollButtonSize;
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
  if (panel->kind == PanelScrollBar) scrollMetrics(panel);
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
  const int b = ScrollButtonSize;
  const bool inButtonRow = across < b;
  if (inButtonRow && along < b) return BackArrow;
  if (inButtonRow && along >= length - b) return ForwardArrow;
  if (inButtonRow && along >= off + b && along < off + b + panel->thumbLength) return Thumb;
  if (inButtonRow && along >= b && along < off + b) return BackPage;
  return ForwardPage;
}

// Hit test and strip -----------------------------------------------------------

int panelContains(const Panel* panel, int px, int py) {
  return px >= panel->x && px <= panel->right && py >= panel->y && py <= panel->bottom ? 1 : 0;
}

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

