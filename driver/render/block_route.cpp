// The three block routes: one by one, from the atlas one by one, batched.
#include "render/block_route.h"

#include <GL/gl.h>

#include "render/block_atlas.h"
#include "render/block_batch.h"
#include "render/textures.h"

static BlockRoute route = RouteOneByOne;
static BlockBatch batch;
static Tint batchTint{1.0f, 1.0f, 1.0f};
static int shiftColumns = 0, shiftRows = 0;

static unsigned routeAtlasTexture() { return maskSetInUse() ? blockAtlas.maskTexture : blockAtlas.colourTexture; }

void beginBlocks(BlockRoute wanted) {
  route = blockAtlas.colourTexture != 0 ? wanted : RouteOneByOne;
  batchTint = Tint{1.0f, 1.0f, 1.0f};
  if (route == RouteAtlas) glBindTexture(GL_TEXTURE_2D, routeAtlasTexture());
  if (route == RouteBatch) batchBegin(&batch, routeAtlasTexture());
}

void endBlocks() {
  if (route == RouteBatch) batchFlush(&batch);
  route = RouteOneByOne;
}

void routeTint(Tint tint) {
  if (route == RouteBatch) batchTint = tint;
  else glColor3f(tint.r, tint.g, tint.b);
}

void routeBlock(uint32_t block, int column, int row) {
  switch (route) {
    case RouteOneByOne: drawBlock(block, column, row); break;
    case RouteAtlas: drawAtlasBlock(block, column, row); break;
    case RouteBatch: batchAdd(&batch, block, column + shiftColumns, row + shiftRows, batchTint); break;
  }
}

// A batch carries the shift in its positions; the other routes in the matrix.
void routePushShift(int columns, int rows) {
  if (route == RouteBatch) {
    shiftColumns = columns;
    shiftRows = rows;
    return;
  }
  glPushMatrix();
  glTranslated(columns * 16.0, rows * 8.0, 0.0);
}

void routePopShift() {
  if (route == RouteBatch) {
    shiftColumns = shiftRows = 0;
    return;
  }
  glPopMatrix();
}
