#pragma once
// The data folder every program reads: levels LEVELS/LEVEL000.DAT ..
// LEVEL119.DAT and the styles STYLES/<STEM>.DAT, each stored plain or wrapped
// in a GSCM stream, which starts with the four bytes below.

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int LevelCount = 120;  // levels 0..119, ten per style group

// Larger files are refused before anything is read: far above any level or
// style file, plain or GSCM.
constexpr uintmax_t MaxLevelFileBytes = 64u << 20;

constexpr uint8_t GscmMagic[4] = {'G', 'S', 'C', 'M'};
bool hasGscmMagic(const uint8_t* data, size_t size);  // a GSCM stream, to be decompressed whole

// Paths inside dataDir; an empty dataDir gives the path relative to the
// current directory ("LEVELS/LEVEL005.DAT").
std::string levelPathIn(const std::string& dataDir, int number);
std::string stylePathIn(const std::string& dataDir, const char* stem);

// The one level file the editor and the skills form both write, beside the
// data folder's LEVELS/ and STYLES/.
constexpr char SharedLevelFileName[] = "LEVEL___.DAT";
