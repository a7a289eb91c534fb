// The files' records and the unsaved mark derived from them.
#include "state/level_files.h"

#include <algorithm>
#include <string>

#include "levelfile/data_folder.h"
#include "state/kept_levels.h"
#include "state/level_history.h"

LevelFiles levelFiles;

static OwnFileRecord* ownFind(int number) {
  const auto found = std::find_if(levelFiles.own.begin(), levelFiles.own.end(),
                                  [number](const OwnFileRecord& r) { return r.levelNumber == number; });
  return found != levelFiles.own.end() ? &*found : nullptr;
}

static OwnFileRecord* ownRecord(int number) {
  if (OwnFileRecord* found = ownFind(number)) return found;
  levelFiles.own.push_back({number, 0, false});
  return &levelFiles.own.back();
}

bool levelHasUnsavedEdits(int number) {
  const LevelHistory* history = historyOfLevel(number);
  if (!history) return false;
  const uint64_t content = historyContent(*history);
  if (ownFileContent(number) == content) return false;
  const SharedFileRecord& shared = levelFiles.shared;
  return !(shared.levelNumber == number && shared.content == content && !shared.changed);
}

void noteOwnFileHolds(int number, uint64_t content) { ownRecord(number)->content = content; }

uint64_t ownFileContent(int number) {
  const OwnFileRecord* own = ownFind(number);
  return own ? own->content : 0;
}

void noteOwnFileBackedUp(int number) { ownRecord(number)->backedUp = true; }

bool ownFileBackedUp(int number) {
  const OwnFileRecord* own = ownFind(number);
  return own && own->backedUp;
}

void noteSharedFileHolds(int number, uint64_t content, const std::vector<uint8_t>& bytes) {
  SharedFileRecord& shared = levelFiles.shared;
  shared.levelNumber = number;
  shared.content = content;
  shared.bytes = bytes;
  shared.stamp = fileStampOf(SharedLevelFileName);
  shared.changed = false;
}

bool refreshSharedFile(bool force) {
  SharedFileRecord& shared = levelFiles.shared;
  if (shared.levelNumber < 0) return false;
  const FileStamp now = fileStampOf(SharedLevelFileName);
  if (!force && now == shared.stamp) return false;
  shared.stamp = now;
  std::vector<uint8_t> bytes;
  std::string reason;
  const bool changed = !now.exists || readWholeFile(SharedLevelFileName, &bytes, &reason) != 0 || bytes != shared.bytes;
  if (changed == shared.changed) return false;
  shared.changed = changed;
  return true;
}

void clearLevelFiles() { levelFiles = LevelFiles{}; }
