#pragma once
// Rendering tests over a style and level built in code, drawn with the real
// drawing code into a headless context (headless/headless_gl.h).
//
// The style's palette gives every index its own colour (paletteRgba); block b
// is solid palette index b unless a test paints it. The view maps level pixel
// (x, y) to client pixel (x, y) at zoom 1: camera and view centre at 0.
//
//   RenderFixture f(64, 32, /*blocks*/ 8);
//   SKIP_WITHOUT_GL(f.gl);
//   addObject(ObjectKindTerrainCell, 3, 0, 0, 0, 0, &currentLevel);
//   f.build();                      // block textures for currentStyle
//   drawLevel();
//   EXPECT_EQ(f.gl.readPixel(0, 0), paletteRgba(3));

#include <cstdint>
#include <vector>

#include "state/editor_state.h"
#include "headless/headless_gl.h"
#include "support/skips.h"

Rgba paletteRgba(int index);  // the fixture palette's colour of an index 0..127
void paintBlockRow(Style* style, uint32_t block, int row, uint8_t index);  // one pixel row of a block
BlockPattern makePattern(uint32_t width, uint32_t height, uint32_t frames, bool piece, std::vector<int32_t> cells);

struct RenderFixture {
  HeadlessGl gl;
  RenderFixture(int width, int height, uint32_t blocks, int levelWidth = 8, int levelHeight = 8);
  ~RenderFixture();  // frees textures, style and elements, resets the editor
  void build();      // (re)builds the block textures of currentStyle
  // Appends an object definition with one part animated by anims[anim]; it
  // points into currentStyle.anims, so push every animation first.
  void addAnimDef(int kind, uint32_t anim, int width, int height);
  void clearAndDraw();  // clears to transparent black and runs drawLevel
  bool regionIs(int x, int y, int w, int h, Rgba colour) const;  // every pixel of a client rectangle
};
