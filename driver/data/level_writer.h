#pragma once
// The level writer: the in-memory level as a complete uncompressed level file
// of LevelFileSize bytes (terrain pieces flattened into map cells, objects
// back at stored pixel positions).

#include <cstdint>
#include "data/level.h"

// The file S saves and Ctrl+O reads back, in the current directory.
constexpr const char* SavedLevelPath = "LEVEL___.DAT";

// Builds the file image. 0 on success; 1 when the level cannot be stored
// (wider than 80 blocks, more than 64 qualifying objects, a cell outside the
// map) with failureReason() set. Never writes outside image.
int buildLevelImage(const Level& level, uint8_t image[LevelFileSize]);

// Builds the image and replaces the file at path atomically (replaceFileAtomically:
// a link is followed, the old file's permissions kept). 0 on success; 1 on
// refusal or any I/O failure with failureReason() set, the old file left byte
// for byte.
int saveLevel(const char* path, const Level& level);
