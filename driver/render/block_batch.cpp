// Gathering block quads and drawing them from the block stack with vertex arrays.
#include "render/block_batch.h"

#include <GL/gl.h>

#include "render/block_stack.h"
#include "render/textures.h"

// Enough for a dense level in one call, small enough to stay in cache.
static constexpr size_t BatchCapacityQuads = 8192;
static constexpr size_t CornerFloatsPerQuad = 8;  // four corners of x and y
static constexpr int QuadOrder[4] = {0, 1, 3, 2};  // BlockQuad's strip order walked round, as GL_QUADS wants

void batchBegin(BlockBatch* batch, unsigned texture) {
  batch->corners.clear();
  batch->texCoords.clear();
  batch->colours.clear();
  batch->texture = texture;
}

void batchAdd(BlockBatch* batch, uint32_t block, int column, int row, Tint tint) {
  if (!stackHolds(block)) return;
  if (batch->corners.size() >= BatchCapacityQuads * CornerFloatsPerQuad) batchFlush(batch);
  const int x = column * LevelPixelsPerBlock, y = row * LevelPixelsPerRow;
  const float r = stackSlice(block);
  for (int strip : QuadOrder) {
    const BlockCorner& c = BlockQuad[strip];
    batch->corners.insert(batch->corners.end(), {static_cast<float>(x + c.x), static_cast<float>(y + c.y)});
    batch->texCoords.insert(batch->texCoords.end(), {static_cast<float>(c.s), static_cast<float>(c.t), r});
    batch->colours.insert(batch->colours.end(), {tint.r, tint.g, tint.b});
  }
}

void batchFlush(BlockBatch* batch) {
  const auto count = static_cast<GLsizei>(batch->corners.size() / 2);
  if (count == 0) return;
  glBindTexture(GL_TEXTURE_3D, batch->texture);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, batch->corners.data());
  glTexCoordPointer(3, GL_FLOAT, 0, batch->texCoords.data());
  // Float colours reach the rasteriser as glColor3f values do; bytes would
  // round 0.5 differently.
  glColorPointer(3, GL_FLOAT, 0, batch->colours.data());
  glDrawArrays(GL_QUADS, 0, count);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  batchBegin(batch, batch->texture);
}
