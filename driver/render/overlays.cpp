// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "render/overlays.h"

void drawStartView() { }
void drawMargins() { }
void drawResizeGuides() { }
void drawHighlights() { }
void drawBand() { }
void drawAltMarks() { }
