#pragma once
// Laying out the item bar (panel 0) and its scroll bar (panel 1) in
// editor.panels, and feeding them pointer events and ticks.

#include "state/panel.h"

void setBarKind(int kind);  // a BarKind; lays the panels out
void layoutPanels();        // from the window's client size; nothing when it is 1x1 or smaller

void panelPress(Panel* panel, int button);
void panelMove(Panel* panel, int px, int py);  // client coordinates
void panelRelease(Panel* panel, int button);
void panelTick(Panel* panel);                  // scroll bar auto-repeat, once per tick
void scrollBarByWheel(int steps);              // the strip by whole items, positive toward later ones

int itemAtPoint();  // bar item under panel 0's pointer, -1 for none (also beyond the last item)
