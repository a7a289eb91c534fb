// The block routes: one bind per block, from the stack block by block, batched.
#include "render/block_route.h"

#include <GL/gl.h>

#include "render/block_stack.h"
#include "render/block_batch.h"
#include "render/textures.h"

static BlockRoute route = RouteOneByOne;
static BlockSet routeSet = ColourSet;
static BlockBatch batch;
static Tint batchTint{1.0f, 1.0f, 1.0f};
static int shiftColumns = 0, shiftRows = 0;

static unsigned routeStackTexture() { return routeSet == MaskSet ? blockStack.maskTexture : blockStack.colourTexture; }

void beginBlocks(BlockRoute wanted, BlockSet set) {
  route = blockStack.colourTexture != 0 ? wanted : RouteOneByOne;
  routeSet = set;
  batchTint = Tint{1.0f, 1.0f, 1.0f};
  if (route == RouteOneByOne) return;
  glEnable(GL_TEXTURE_3D);  // takes precedence over the caller's 2D texturing
  if (route == RouteStack) glBindTexture(GL_TEXTURE_3D, routeStackTexture());
  if (route == RouteBatch) batchBegin(&batch, routeStackTexture());
}

void endBlocks() {
  if (route == RouteBatch) batchFlush(&batch);
  if (route != RouteOneByOne) glDisable(GL_TEXTURE_3D);
  route = RouteOneByOne;
  routeSet = ColourSet;
}

void routeTint(Tint tint) {
  if (route == RouteBatch) batchTint = tint;
  else glColor3f(tint.r, tint.g, tint.b);
}

void routeBlock(uint32_t block, int column, int row) {
  switch (route) {
    case RouteOneByOne: drawBlock(block, column, row, routeSet); break;
    case RouteStack: drawStackBlock(block, column, row); break;
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
  glTranslated(columns * double(LevelPixelsPerBlock), rows * double(LevelPixelsPerRow), 0.0);
}

void routePopShift() {
  if (route == RouteBatch) {
    shiftColumns = shiftRows = 0;
    return;
  }
  glPopMatrix();
}
