#pragma once
// The level writer: the in-memory level as a complete uncompressed level file
// of LevelFileSize bytes (terrain pieces flattened into map cells, objects
// back at stored pixel positions).

#include <cstdint>
#include "data/level.h"
#include "levelfile/level_patch.h"

// Builds the file image. 0 on success; 1 when the level cannot be stored
// (wider than 80 blocks, more than 64 qualifying objects, a cell outside the
// map) with failureReason() set. Never writes outside image.
int buildLevelImage(const Level& level, uint8_t image[LevelFileSize]);

// Builds the image and replaces the file at path atomically (replaceFileAtomically:
// a link is followed, the old file's permissions kept). 0 on success; 1 on
// refusal or any I/O failure with failureReason() set, the old file left byte
// for byte.
int saveLevel(const char* path, const Level& level);

// Whether the writer stores element e whole when it lies at block x, row y:
// a terrain cell or piece only with every cell it covers inside the level, an
// object only at x -1..width-1 and y -2..height-1 (the stored position must
// stay positive). Elements not stored whole are left out of the file, wholly
// or in part.
bool storedWhole(const Level& level, const LevelObject& e, int32_t x, int32_t y);

// The elements a save of the level leaves out, wholly or in part.
int elementsLeftOut(const Level& level);

// Gives the level the values the stamp holds, so that the writer writes the
// stamp's bytes exactly while every byte outside it stays the level's own:
// the name's leading bytes, the low bytes of the skill codes, minutes and
// seconds, the quantities and the release rate.
void adoptLevelPatch(const LevelPatch& patch, Level* level);
