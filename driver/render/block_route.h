#pragma once
// Where the pattern and object primitives send their blocks. The three
// routes give the same pixels where they are used; they differ in cost.

#include <cstdint>
#include "render/scene.h"

enum BlockRoute {
  // drawBlock: a bind per block. Right under any transform; the default.
  RouteOneByOne,
  // The atlas bound once, then each block under the very matrix drawBlock
  // would use. Right wherever no pixel centre samples near a texel edge.
  RouteAtlas,
  // Gathered and drawn from the atlas in one call at endBlocks, under the
  // matrix current then. Right where every texel covers whole pixels.
  RouteBatch,
};

// Starts a route (RouteOneByOne when no atlas is built) with the tint white;
// texturing enabled by the caller. endBlocks draws what a batch gathered
// and goes back to RouteOneByOne.
void beginBlocks(BlockRoute route);
void endBlocks();

void routeTint(Tint tint);  // colour of the blocks that follow
void routeBlock(uint32_t block, int column, int row);  // at a block position, as drawBlock
void routePushShift(int columns, int rows);  // moves the blocks that follow by whole blocks ...
void routePopShift();                        // ... until here
