#pragma once
// Drawing the item bar (panel 0) and its scroll bar (panel 1).

#include "state/panel.h"

enum BevelStyle {
  BevelRaised = 0,         // filled with the current colour
  BevelSunken = 1,         // filled with the current colour
  BevelRaisedOutline = 2,  // edges only
  BevelSunkenOutline = 3,  // edges only
};

enum ArrowDirection { ArrowLeft = 0, ArrowUp = 1, ArrowRight = 2, ArrowDown = 3 };

void panelDraw(Panel* panel);
void drawItemBar();
void drawItemCell(int size, int index);
void drawBevel(int x, int y, int w, int h, int style);  // a BevelStyle
void drawArrow(int x, int y, int direction);            // an ArrowDirection; others draw nothing
