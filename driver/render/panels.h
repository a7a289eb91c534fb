#pragma once
// Laying out, updating and drawing the item bar (panel 0) and its scroll bar
// (panel 1) in editor.panels.

#include "render/panel.h"

void setBarKind(int kind);  // 2 terrain pieces, 8 object definitions; lays the panels out
void layoutPanels();        // from the window's client size; nothing when it is 1x1 or smaller

int panelContains(const Panel* panel, int px, int py);  // client coordinates, bounds inclusive
void panelPress(Panel* panel, int button);
void panelMove(Panel* panel, int px, int py);            // client coordinates
void panelRelease(Panel* panel, int button);
void panelTick(Panel* panel);                            // scroll bar auto-repeat, once per tick
void panelDraw(Panel* panel);
void panelRelayout(Panel* panel);                        // right/bottom and scroll-bar metrics
void scrollSetValue(Panel* panel, int value);
unsigned scrollHitTest(const Panel* panel, int px, int py);  // panel coordinates -> ScrollPart

int stripOffset();  // the strip's scroll offset as drawn: panel 1 value, raised to the first offered item
int itemAtPoint();  // bar item under panel 0's pointer, -1 for none (also beyond the last item)

void drawItemBar();
void drawItemCell(int size, int index);
void drawBevel(int x, int y, int w, int h, int style);  // 0 raised, 1 sunken, 2 raised outline, 3 sunken outline
void drawArrow(int x, int y, int direction);            // 0 left, 1 up, 2 right, 3 down
