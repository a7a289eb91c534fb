#pragma once
// The block atlas: the texel images of every block of the loaded style side by
// side in one colour texture and one mask texture, so that the level scene
// binds once per frame instead of once per block. Built and deleted together
// with the per-block sets (render/textures.h).

#include <cstdint>
#include <vector>
#include "data/style.h"

constexpr int AtlasBlocksAcross = 64;
constexpr int AtlasWidth = AtlasBlocksAcross * 16;  // texels; a power of two keeps coordinates exact

struct BlockAtlas {
  unsigned colourTexture;  // 0 when none is built (no blocks, or taller than the GL allows)
  unsigned maskTexture;
  int height;              // texels, a power of two
  uint32_t blockCount;     // blocks it holds
};
extern BlockAtlas blockAtlas;

// Pure: the atlas height for a block count, and the atlas image of one set
// (mask 0 colour, 1 mask; RGB rows of AtlasWidth texels, bottom row first):
// block b's 16x8 texel image (blockTexelImage) at texel column (b % 64) * 16,
// row (b / 64) * 8; texels no block covers are black.
int atlasHeightFor(uint32_t blockCount);
void blockAtlasImage(const Style& style, int mask, std::vector<uint8_t>* out);

// Corners of block b in atlas coordinates; t1 (the block's top row) belongs at
// the top edge of its quad, as t = 1 does for a per-block texture.
struct AtlasRect { float s0, t0, s1, t1; };
AtlasRect atlasRect(uint32_t block);

// One block from the bound atlas set, drawn like drawBlock (same matrix and
// corners, nothing for a block the style or the atlas lacks) but with no bind.
void drawAtlasBlock(uint32_t block, int column, int row);

void buildBlockAtlas();  // for currentStyle, replacing any earlier atlas; GL context current
void freeBlockAtlas();   // safe when none is built
