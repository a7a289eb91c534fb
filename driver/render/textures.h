#pragma once
// Block textures: every 16x8 block of the loaded style as a colour texture and
// a mask texture, and drawBlock, the primitive all level drawing is built on.

#include <cstdint>
#include <vector>
#include "data/style.h"
#include "levelfile/layout.h"

extern unsigned* blockTextures;  // Style.blockCount names, colour set; none when no level is loaded
extern unsigned* maskTextures;   // Style.blockCount names, mask set

// Pure: the 384-byte RGB image of one block (rows flipped: image row r' is
// block row 7 - r'). mask 0: palette colours (indices >= 128 use colour 0);
// mask 1: white where the index is non-zero, black where it is 0.
void blockTexelImage(const Style& style, uint32_t block, int mask, uint8_t out[384]);

// The filtering and wrap of a set (mask 0 colour, 1 mask) on the texture
// bound to target: GL_TEXTURE_2D for a block's own, GL_TEXTURE_3D for the stack.
void blockSetParameters(unsigned target, int mask);

void buildBlockTextures();  // uploads both sets and the block stack for currentStyle; GL context current
void freeBlockTextures();   // deletes both sets, the stack and the region caches, releases the name arrays; safe when none are built
uint32_t builtTextureCount();  // names in each set now alive, 0 when none
// Counts builds, so a picture can name the style whose blocks it shows: the
// style changes only with a build.
uint32_t blockTextureBuild();
// The set blocks are drawn from: the item bar always shows colours, the level
// scene masks in the alternate view.
enum BlockSet { ColourSet = 0, MaskSet = 1 };
BlockSet levelBlockSet(int altView);  // the level scene's set in the plain (0) or alternate (1) view
void drawBlock(uint32_t block, int column, int row, BlockSet set);  // at a block position of the current model-view

// One block quad in triangle-strip order: each corner in level pixels from
// the block's top-left and its texture coordinates. A block's image holds its
// bottom row first, so the top edge (y = 0) shows t = 1. Every way of drawing
// a block (the display list, the stack, the batch) takes its corners from here.
struct BlockCorner {
  int x, y;
  int s, t;
};
constexpr BlockCorner BlockQuad[4] = {{0, 0, 0, 1},
                                      {0, LevelPixelsPerRow, 0, 0},
                                      {LevelPixelsPerBlock, 0, 1, 1},
                                      {LevelPixelsPerBlock, LevelPixelsPerRow, 1, 0}};

// A new display list drawing BlockQuad (what startUp keeps in
// editor.quadList; tests and benchmarks without a window build their own).
// GL context current.
unsigned buildQuadList();
