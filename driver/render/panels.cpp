// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "render/panels.h"

void setBarKind(int) { }
void layoutPanels() { }
int panelContains(const Panel*, int, int) { return {}; }
void panelPress(Panel*, int) { }
void panelMove(Panel*, int, int) { }
void panelRelease(Panel*, int) { }
void panelTick(Panel*) { }
void panelDraw(Panel*) { }
void panelRelayout(Panel*) { }
void scrollSetValue(Panel*, int) { }
unsigned scrollHitTest(const Panel*, int, int) { return {}; }
int itemAtPoint() { return {}; }
void drawItemBar() { }
void drawItemCell(int, int) { }
void drawBevel(int, int, int, int, int) { }
void drawArrow(int, int, int) { }
