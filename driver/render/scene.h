#pragma once
// Drawing one frame's picture of the level and the primitives the item bar shares.

#include "data/level.h"
#include "data/style.h"

void drawScene();       // the whole frame, in order: level, overlays, new object, panels
void levelTransform();  // multiplies the model-view matrix by the level-to-client transform
void drawLevel();       // background and all elements
void drawNewObject();   // the item being placed (Placing, SizingNewObject, PanningWhilePlacing)
// The elements a save would leave out, wholly or in part, dimmed where they
// lie, above the margins that hide everything else outside the level, so they
// can be found and dragged back.
void drawLeftOut();
constexpr float LeftOutBrightness = 0.45f;  // their colours scaled by this

// Where an element is drawn from its position, in blocks: selected elements
// follow the mouse in whole blocks while they are moved, the rest stay.
void elementOffset(const LevelObject& e, int* dx, int* dy);
// Where the element is drawn, and whether a save would store it whole there:
// elements a save would leave out are drawn apart, dimmed, above the margins.
bool storedWholeWhereDrawn(const LevelObject& e, int* dx, int* dy);

// Expect GL_TEXTURE_2D enabled and the colour set by the caller; they draw
// their blocks by the current route (render/block_route.h). Patterns and
// definitions that would be read past (missing cells, no animation, 0 frames)
// draw nothing.
void drawPatternFrame(const BlockPattern& pattern, uint32_t frame, int column, int row);
void drawPatternTiled(const BlockPattern& pattern, int countX, int countY, int column, int row);
// What moves an object's picture besides its definition: the animation
// frame, the alternate view (which tints objects), and whether the level's
// style animates outlined objects.
struct ObjectMotion {
  int animFrame;
  int altView;
  bool outlinedAnimates;
  bool operator==(const ObjectMotion&) const = default;
};
ObjectMotion objectMotionNow();  // the editor's and the current level's
// brightness scales the alternate view's tint; the plain view's is the caller's.
void drawObjectMoved(const ObjectDef& def, int countX, int countY, int column, int row, const ObjectMotion& motion,
                     float brightness = 1.0f);
// The same, moved as the editor and the current level are now.
void drawObject(const ObjectDef& def, int countX, int countY, int column, int row, float brightness = 1.0f);

// Alternate-view tints (red, green, blue).
struct Tint { float r, g, b; };
Tint altObjectTint(int kind);                      // by ObjectDef.kind; white for kinds outside 3..9
Tint altTerrainTint(uint32_t elementKind, uint32_t flags);  // kinds 1 and 2; flags other than 0 use the 0x4000 tint
