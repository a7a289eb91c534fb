#pragma once
// Reading a level file and the style it names out of a data folder, the way
// driver loads them: the readers in driver/data stay the only parsers.

#include <string>

#include "data/level.h"
#include "data/style.h"

// The data folder of a level file: the folder above the level's own folder,
// as DATA for DATA/LEVELS/LEVEL005.DAT.
std::string dataDirOfLevel(const std::string& levelPath);

std::string levelPathIn(const std::string& dataDir, int number);  // DATA/LEVELS/LEVEL%03d.DAT
std::string stylePathIn(const std::string& dataDir, int index);   // DATA/STYLES/<STEM>.DAT

// Reads and parses one level file (plain or GSCM). 0 on success, with
// *compressed telling which; 1 with reason set and level untouched.
int readLevelFile(const std::string& path, Level* level, bool* compressed, std::string* reason);

// Loads the style the level names from dataDir and binds the two, as a level
// load in driver does. 0 on success; 1 with reason set (naming the style file
// where it is the style that fails).
int loadBoundStyle(const std::string& dataDir, Level* level, Style* style, std::string* reason);
