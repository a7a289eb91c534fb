// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "edit/operations.h"

int scanBand(int) { return {}; }
void clearSelection() { }
void dropMarks() { }
void commitMarks() { }
void moveSelection() { }
void deleteSelection() { }
void toggleTerrainFlag() { }
void chooseItem(int) { }
void startNewObject(int, int) { }
void sizeNewObject() { }
void commitNewObject() { }
int maxHeightForWidth(int) { return {}; }
int maxWidthForHeight(int) { return {}; }
void updatePendingResize() { }
void applyResize() { }
