#pragma once
// Where levelkit finds a level's data folder, and its words for a failed load
// (driver's load sequence in driver/data does the loading).

#include <string>

#include "data/level_source.h"

// The data folder of a level file: the folder above the level's own folder,
// as DATA for DATA/LEVELS/LEVEL005.DAT.
std::string dataDirOfLevel(const std::string& levelPath);

// The reason a load failed, as levelkit reports it: the system's words for a
// file that cannot be found, the style file's path where the style fails.
std::string loadFailureText(const LevelLoad& load);
