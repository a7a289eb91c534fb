#pragma once
// Where driver works: the data folder named on the command line, or the
// current directory. Checked and entered before any window exists, so every
// later relative path (LEVELS/, STYLES/, LEVEL___.DAT) lies inside it.

#include <string>

// The command line: driver [--help | --version | DATA_DIR].
struct StartRequest {
  const char* dataDir;  // the folder argument; nullptr: the current directory
  int exitNow;          // 1: help, version or a usage error was printed; exit with exitStatus
  int exitStatus;       // 0 after --help and --version, 2 after a usage error
};
StartRequest readStartArguments(int argc, char** argv);

// What a folder lacks to be a data folder; all false for one.
struct FolderLack {
  bool folder;  // the folder itself is missing (or is not a folder)
  bool levels;  // no LEVELS/ in it
  bool styles;  // no STYLES/ in it
};
FolderLack folderLackOf(const std::string& folder);

// The start-up box's text for a folder that lacks something, naming it by the
// path given (the caller makes it absolute); with demoInstalled it also tells
// what the box's first button, which opens the demo levels, does.
std::string missingFolderText(const std::string& folder, FolderLack lack, bool demoInstalled);

// Enters dataDir (nullptr: stays in the current directory) and checks that
// LEVELS/ and STYLES/ are there. 0 when they are: the current directory is
// then the data folder (perhaps the user's copy of the installed demo levels,
// when the box offered it and the user took it), and its full path is on
// standard output. 1 after saying why on standard error and in a box.
int enterDataFolder(const char* dataDir);
