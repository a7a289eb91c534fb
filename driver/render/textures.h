#pragma once
// Block textures: every 16x8 block of the loaded style as a colour texture and
// a mask texture, and drawBlock, the primitive all level drawing is built on.

#include <cstdint>
#include <vector>
#include "data/style.h"

extern unsigned* blockTextures;  // Style.blockCount names, colour set; none when no level is loaded
extern unsigned* maskTextures;   // Style.blockCount names, mask set
extern int panelPass;            // 0 while the level scene is drawn, 1 while the panels are

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
bool maskSetInUse();  // the level scene in the alternate view: masks rather than colours
void drawBlock(uint32_t block, int column, int row);  // at a block position of the current model-view

// A new display list drawing one textured 16x8 block quad with its top edge at
// y = 0 showing texture row t = 1 (what startUp keeps in editor.quadList;
// tests and benchmarks without a window build their own). GL context current.
unsigned buildQuadList();
