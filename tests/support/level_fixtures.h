#pragma once
// Level fixtures built in code with the project's own writer: a small
// description becomes a Level record or a complete 8648-byte file image.

#include <cstdint>
#include <string>
#include <vector>

#include "data/level.h"

struct FixtureCell {
  int32_t x, y;       // blocks, rows
  uint32_t block;     // block number (0 makes an empty cell)
  uint32_t flags = 0; // flag word stored in the map
};

struct FixtureObject {
  uint32_t type;      // object definition index
  int32_t x, y;       // blocks, rows (stored as x*16+16, y*8+16 pixels)
  uint32_t paramA = 0;
  uint32_t paramB = 0;
};

struct LevelDescription {
  std::string name = "Fixture level";  // at most 24 bytes are kept
  int32_t style = 0;
  int32_t width = 20;   // blocks, 20..80 for a storable level
  int32_t height = 20;  // rows
  int32_t startX = 0;
  int32_t startY = 0;
  int32_t timeMinutes = 5;
  int32_t timeSeconds = 0;
  int32_t releaseRate = 50;
  uint32_t keptWord = 0;
  int32_t skillCode[8] = {0, 1, 2, 3, 4, 5, 6, 7};
  int32_t skillCount[8] = {10, 10, 10, 10, 10, 10, 10, 10};
  std::vector<FixtureCell> cells;
  std::vector<FixtureObject> objects;
};

// Fills level as the reader would: header fields, then one kind 1 element per
// cell and one kind 8 element per object, in description order.
void fillLevel(const LevelDescription& description, Level* level);

// The file image the writer makes of fillLevel's result (8648 bytes; empty if
// the writer refuses the description).
std::vector<uint8_t> makeLevelImage(const LevelDescription& description);

// The same image as a GSCM stream.
std::vector<uint8_t> makeCompressedLevelImage(const LevelDescription& description);

// The list in order, first to last.
std::vector<const LevelObject*> levelElements(const Level& level);
