#pragma once
// Geometry of the item bar (panel 0) and its scroll bar (panel 1) that both
// their drawing and their input handling read.

#include "state/panel.h"

// The item bar's measurements, client pixels. Its cells are editor.itemSize
// square; the bar spans the window's width along the bottom.
constexpr int ItemGap = 4;           // between two cells, and before the first
constexpr int BarInset = 2;          // the scroll bar, and the strip's visible width, stop this short of each side
constexpr int BarCellLeft = 6;          // the first cell's left edge at scroll offset 0, from the bar's left
constexpr int BarCellTop = 7;           // the cells' top edge, from the bar's top
constexpr int BarBelowCells = 21;    // from the cells' bottom to the bar's bottom: a gap and the scroll bar
constexpr int ScrollButtonSize = 16; // the scroll bar's thickness and each arrow button's side

int itemPitch();          // one item cell plus the gap after it: itemSize + ItemGap
int barHeight();          // BarCellTop + itemSize + BarBelowCells
int visibleStripWidth();  // the client width less a BarInset each side
int barItemCount();  // items the bar lists for editor.barKind in the current style
int isScrollable(const Panel* panel);  // 1 when the thumb is shorter than the track
int thumbOffset(const Panel* panel);   // thumb start from the start of the track, pixels

int panelContains(const Panel* panel, int px, int py);       // client coordinates, bounds inclusive
void panelRelayout(Panel* panel);                            // right/bottom and scroll-bar metrics
void scrollSetValue(Panel* panel, int value);                // clamped; updates the fraction
unsigned scrollHitTest(const Panel* panel, int px, int py);  // panel coordinates -> ScrollPart
int stripOffset();  // the strip's scroll offset as drawn: panel 1 value, raised to the first offered item
