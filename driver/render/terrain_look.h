#pragma once
// What the level's background, cells and pieces show, as a key for keeping
// their pixels (render/region_cache.h) while they stay the same.

#include <cstdint>
#include "render/region_cache.h"

struct TerrainLook {
  ViewState view;        // with the level transform applied
  int altView;
  int width, height;     // the level, blocks
  int background;        // palette entry 0, 0xRRGGBB
  uint64_t elements;     // every cell and piece as drawn: kind, block or piece, position, copies, flags
  uint64_t pieces;       // the style's pieces
};

// Fills look from the current state and matrices. False when a cell or piece
// reaches outside the level, whose pixels there the margins alone may hide:
// then the terrain is drawn afresh every time.
bool terrainLook(TerrainLook* look);
