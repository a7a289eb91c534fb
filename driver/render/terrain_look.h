#pragma once
// What the level's background, cells and pieces show: the only input of
// their drawing, and so the look their kept pixels (render/region_cache.h)
// are reused for.

#include <cstdint>
#include <vector>

#include "data/level.h"
#include "render/region_cache.h"

// One cell or piece where the terrain pass draws it.
struct DrawnTerrain {
  uint32_t kind, value;  // ObjectKindTerrainCell or ObjectKindTerrainPiece; block or piece index
  int32_t x, y;          // blocks, any drag applied
  uint32_t paramA, paramB, flags;
  bool operator==(const DrawnTerrain&) const = default;
};
DrawnTerrain drawnTerrain(const LevelObject& e, int dx, int dy);

struct TerrainLook {
  ViewState view;            // with the level transform applied
  int altView;
  int width, height;         // the level, blocks
  uint8_t background[3];     // palette entry 0
  uint32_t textureBuild;     // the style whose blocks and pieces are drawn
  std::vector<DrawnTerrain> cells, pieces;  // each in the level's order; those a save stores whole
  bool operator==(const TerrainLook&) const = default;
};

// Fills look from the current state and matrices. False when a cell or piece
// reaches outside the level, whose pixels there the margins alone may hide:
// then the terrain is drawn afresh every time.
bool terrainLook(TerrainLook* look);
