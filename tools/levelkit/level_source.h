#pragma once
// Where levelkit finds a level's data folder, and its words for a failed load
// (driver's load sequence in driver/data does the loading).

#include <string>

#include "data/level_source.h"

// The data folder of a level file: its own folder when STYLES/ is there (the
// file driver saves into its data folder), else the folder above, as DATA for
// DATA/LEVELS/LEVEL005.DAT.
std::string dataDirOfLevel(const std::string& levelPath);

// What keeps dir from being a data folder, as one phrase ("no STYLES/"); empty
// when it holds LEVELS/ and STYLES/.
std::string dataFolderLack(const std::string& dir);

// The reason a load failed, as levelkit reports it: the system's words for a
// file that cannot be found, the style file's path where the style fails.
std::string loadFailureText(const LevelLoad& load);
