#pragma once
// Drawing one frame's picture of the level and the primitives the item bar shares.

#include "data/style.h"

void drawScene();       // the whole frame, in order: level, overlays, new object, panels
void levelTransform();  // multiplies the model-view matrix by the level-to-client transform
void drawLevel();       // background and all elements
void drawNewObject();   // the item being placed (Placing, SizingNewObject, PanningWhilePlacing)

// Expect GL_TEXTURE_2D enabled and the colour set by the caller.
void drawPatternFrame(const BlockPattern& pattern, uint32_t frame, int column, int row);
void drawPatternTiled(const BlockPattern& pattern, int countX, int countY, int column, int row);
void drawObject(const ObjectDef& def, int countX, int countY, int column, int row);
