#pragma once
// The one load sequence of a level, shared by driver's level loads, its
// reopen of the saved file and levelkit: the level file read and parsed, the
// style index it names checked, that style read from the data folder's
// STYLES/ and the two bound. The result says which step failed and why; each
// program puts its own words around the reason.

#include <cstdint>
#include <string>

#include "data/level.h"
#include "data/style.h"
#include "levelfile/data_folder.h"

enum LoadStep {
  LoadDone = 0,
  LoadLevelMissing,     // the level file cannot be looked up; systemError says why
  LoadLevelTooLarge,    // larger than MaxLevelFileBytes, so never read
  LoadLevelUnreadable,  // there, but it would not open (systemError) or not read whole
  LoadLevelDamaged,     // read, and refused by the parser
  LoadStyleIndex,       // the level names no style of the table
  LoadStyleFile,        // its style file is missing or refused
};

struct LevelLoad {
  LoadStep failed = LoadDone;
  std::string reason;       // one short sentence without a full stop; empty when done
  int systemError = 0;      // errno behind LoadLevelMissing, and LoadLevelUnreadable when it would not open
  std::string stylePath;    // the style file read, from the style step on
  bool compressed = false;  // the level file is a GSCM stream
  bool styleRead = false;   // false when the level was bound to the style in use
};

// Step one: reads and parses the level file at path. 0 on success; 1 with
// result and failureReason() set and level untouched.
int readLevelFile(const std::string& path, Level* level, LevelLoad* result);

// The steps after it: the level's style index checked, the style read from
// dataDir into *style and the level bound to it. When inUse (may be none)
// already holds the level's style, the level is bound to it instead and
// *style stays empty. 0 on success; 1 with result set and *style emptied.
int loadLevelStyle(const std::string& dataDir, Style* inUse, Level* level, Style* style, LevelLoad* result);

// The whole sequence.
int loadLevelAndStyle(const std::string& levelPath, const std::string& dataDir, Style* inUse, Level* level,
                      Style* style, LevelLoad* result);

// Step one alone, for callers that need only the parsed file. 0 on success; 1
// with failureReason() set and level untouched.
int loadLevel(const char* path, Level* level);
