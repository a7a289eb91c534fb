// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "render/scene.h"

void drawScene() { }
void levelTransform() { }
void drawLevel() { }
void drawNewObject() { }
void drawPatternFrame(const BlockPattern&, uint32_t, int, int) { }
void drawPatternTiled(const BlockPattern&, int, int, int, int) { }
void drawObject(const ObjectDef&, int, int, int, int) { }
