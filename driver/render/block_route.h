#pragma once
// Where the pattern and object primitives send their blocks. The routes give
// the same pixels where they are used and differ in cost.

#include <cstdint>
#include "render/scene.h"
#include "render/textures.h"

enum BlockRoute {
  // drawBlock: a bind per block. Right under any transform; the default.
  RouteOneByOne,
  // The block stack bound once, then each block under the very matrix and
  // with the very s and t drawBlock uses. Right under any transform.
  RouteStack,
  // Gathered and drawn from the stack in one call at endBlocks, under the
  // matrix current then. Right where every texel covers whole pixels: there
  // a block's corners land on the same pixels by either matrix.
  RouteBatch,
};

// Starts a route (RouteOneByOne when no stack is built) from a set with the
// tint white, in GL_TEXTURE_2D enabled by the caller. endBlocks draws what a
// batch gathered and goes back to RouteOneByOne, the colour set and 2D
// texturing.
void beginBlocks(BlockRoute route, BlockSet set);
void endBlocks();

void routeTint(Tint tint);  // colour of the blocks that follow
void routeBlock(uint32_t block, int column, int row);  // at a block position, as drawBlock
void routePushShift(int columns, int rows);  // moves the blocks that follow by whole blocks ...
void routePopShift();                        // ... until here
