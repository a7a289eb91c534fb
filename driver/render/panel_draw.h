#pragma once
// Drawing the item bar (panel 0) and its scroll bar (panel 1).

#include "state/panel.h"

void panelDraw(Panel* panel);
void drawItemBar();
void drawItemCell(int size, int index);
void drawBevel(int x, int y, int w, int h, int style);  // 0 raised, 1 sunken, 2 raised outline, 3 sunken outline
void drawArrow(int x, int y, int direction);            // 0 left, 1 up, 2 right, 3 down
