#pragma once
// The block stack: every block of the loaded style as one slice of a 3D
// texture, a colour stack and a mask stack, so that drawing binds once
// instead of once per block. Slice b holds exactly the 16x8 texel image of
// block b's own texture (blockTexelImage) with the same filtering and wrap,
// and is sampled at the same s and t, so it yields the texels the per-block
// sets yield under any transform; r only picks the slice. Built and deleted
// together with the per-block sets (render/textures.h).

#include <cstdint>

struct BlockStack {
  unsigned colourTexture;  // 0 when none is built (no blocks, or more than the GL holds)
  unsigned maskTexture;
  int depth;               // slices, a power of two so every slice centre is exact
  uint32_t blockCount;     // blocks it holds
};
extern BlockStack blockStack;

// True when block is in the style and in the stack (what drawBlock would draw).
bool stackHolds(uint32_t block);
float stackSlice(uint32_t block);  // r at the centre of block's slice

// One block from the bound stack, drawn like drawBlock (same matrix and
// corners, nothing for a block the stack lacks) but with no bind.
void drawStackBlock(uint32_t block, int column, int row);

void buildBlockStack();  // for currentStyle, replacing any earlier stack; GL context current
void freeBlockStack();   // safe when none is built
