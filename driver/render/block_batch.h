#pragma once
// Block quads gathered in drawing order and drawn from one block stack in
// one call: the level scene's replacement for a bind and a display-list call
// per block. Later quads cover earlier ones exactly as separate draws would.

#include <cstdint>
#include <vector>
#include "render/scene.h"

struct BlockBatch {
  std::vector<float> corners;    // x, y of 4 corners per quad, model-view units (a block is 16 x 8)
  std::vector<float> texCoords;  // s, t, r per corner: a block's own s and t, r its slice
  std::vector<float> colours;    // red, green, blue per corner: the tint current when the block was added
  unsigned texture;              // the stack every quad samples
};

// Starts an empty batch sampling `texture` (a set of blockStack).
void batchBegin(BlockBatch* batch, unsigned texture);
// Adds block `block` at a block position, tinted; blocks the style or the
// stack lack are left out, as drawBlock leaves them out. A full batch is
// drawn first, so memory stays bounded however many blocks a frame has.
void batchAdd(BlockBatch* batch, uint32_t block, int column, int row, Tint tint);
// Draws the quads with the current matrices, colour-modulated, then empties
// the batch. Expects GL_TEXTURE_3D enabled; leaves the stack bound and the
// current colour undefined.
void batchFlush(BlockBatch* batch);
