#pragma once
// Geometry of the item bar (panel 0) and its scroll bar (panel 1) that both
// their drawing and their input handling read.

#include "state/panel.h"

int itemPitch();     // one item cell plus the gap after it, pixels
int barItemCount();  // items the bar lists for editor.barKind in the current style
int isScrollable(const Panel* panel);  // 1 when the thumb is shorter than the track
int thumbOffset(const Panel* panel);   // thumb start from the start of the track, pixels

int panelContains(const Panel* panel, int px, int py);       // client coordinates, bounds inclusive
void panelRelayout(Panel* panel);                            // right/bottom and scroll-bar metrics
void scrollSetValue(Panel* panel, int value);                // clamped; updates the fraction
unsigned scrollHitTest(const Panel* panel, int px, int py);  // panel coordinates -> ScrollPart
int stripOffset();  // the strip's scroll offset as drawn: panel 1 value, raised to the first offered item
