#pragma once
// Which state of which level each file holds, as far as this run knows, and
// the unsaved mark derived from that alone.
//
// A level is clean exactly while a file holds its current state
// (historyContent): its own file LEVELS/LEVELnnn.DAT as this run last read or
// wrote it, or LEVEL___.DAT as this run last wrote or read it, provided its
// bytes are still the ones written or read. Nothing else sets or clears the
// mark: a save records what the file now holds, an undo moves the level to
// another state, another program's write changes the bytes on disk.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "levelfile/file_read.h"

// The file S writes and Ctrl+O reads, in the current directory.
struct SharedFileRecord {
  int levelNumber = -1;        // whose state this run last wrote there or read from there; -1 neither yet
  uint64_t content = 0;        // that state
  std::vector<uint8_t> bytes;  // the file as this run last wrote or read it
  FileStamp stamp;             // its version when last compared with bytes
  bool changed = false;        // at that comparison the file was gone or held other bytes
};

// A level's own file LEVELS/LEVELnnn.DAT.
struct OwnFileRecord {
  int levelNumber;
  uint64_t content;  // the state this run last read from it or wrote into it; 0 none
  bool backedUp;     // this run has kept its first bytes as LEVELnnn.BAK (or found no file to keep)
};

struct LevelFiles {
  SharedFileRecord shared;
  std::vector<OwnFileRecord> own;  // at most one per level number
};

extern LevelFiles levelFiles;

// The one question: does level `number` hold edits that no file holds? False
// for a level neither current nor kept: it is what its own file holds.
bool levelHasUnsavedEdits(int number);

// Recording what the files now hold -------------------------------------------------
void noteOwnFileHolds(int number, uint64_t content);  // after reading or writing the level's own file
uint64_t ownFileContent(int number);  // the state it holds; 0 when this run has not read or written it
void noteOwnFileBackedUp(int number);
bool ownFileBackedUp(int number);
// After S wrote, or Ctrl+O read, LEVEL___.DAT: it holds that state of level
// `number` as these bytes.
void noteSharedFileHolds(int number, uint64_t content, const std::vector<uint8_t>& bytes);

// Looking at LEVEL___.DAT on disk -----------------------------------------------------
// Compares the file with the bytes this run last wrote or read there, reading
// it only when its stamp moved since the last comparison (force: always).
// True when whether it changed is now different from before.
bool refreshSharedFile(bool force);

void clearLevelFiles();  // forgets every record (start-up and tests)
