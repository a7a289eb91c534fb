// Gathering block quads and drawing them from the block stack with vertex arrays.
#include "render/block_batch.h"

#include <GL/gl.h>

#include "render/block_stack.h"

// Enough for a dense level in one call, small enough to stay in cache.
static constexpr size_t BatchCapacityQuads = 8192;
static constexpr size_t CornerFloatsPerQuad = 8;  // four corners of x and y

void batchBegin(BlockBatch* batch, unsigned texture) {
  batch->corners.clear();
  batch->texCoords.clear();
  batch->colours.clear();
  batch->texture = texture;
}

void batchAdd(BlockBatch* batch, uint32_t block, int column, int row, Tint tint) {
  if (!stackHolds(block)) return;
  if (batch->corners.size() >= BatchCapacityQuads * CornerFloatsPerQuad) batchFlush(batch);
  const float x0 = static_cast<float>(column * 16), x1 = x0 + 16.0f;
  const float y0 = static_cast<float>(row * 8), y1 = y0 + 8.0f;
  const float r = stackSlice(block);
  // Top edge (y0) at t = 1, which holds the block's top row, as in quadList.
  batch->corners.insert(batch->corners.end(), {x0, y0, x0, y1, x1, y1, x1, y0});
  batch->texCoords.insert(batch->texCoords.end(), {0.0f, 1.0f, r, 0.0f, 0.0f, r, 1.0f, 0.0f, r, 1.0f, 1.0f, r});
  for (int corner = 0; corner < 4; ++corner) batch->colours.insert(batch->colours.end(), {tint.r, tint.g, tint.b});
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
