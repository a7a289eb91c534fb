// The three save keys: building the image, keeping the first bytes of a
// level's own file, replacing the file, and saying what happened.
//
// Contents: reports | writing one file | S | Ctrl+S and Ctrl+Shift+S
#include "edit/save_commands.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/failure.h"
#include "data/level_writer.h"
#include "levelfile/data_folder.h"
#include "levelfile/file_read.h"
#include "levelfile/level_patch.h"
#include "levelfile/replace_file.h"
#include "platform/window.h"
#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_files.h"
#include "state/level_history.h"
#include "state/level_title.h"

// [reports] ------------------------------------------------------------------------

// The level's own file, or beside it its backup of the same name ending .BAK.
static std::string saveOwnFilePath(int number, const char* extension) {
  std::string path = levelPathIn("", number);
  return path.replace(path.size() - 3, 3, extension);
}

// The title shows the shown level's; a kept level's note names its file
// unless the reason does.
static void saveRefuse(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "driver: %s not saved: %s\n", path.c_str(), reason.c_str());
  const bool named = path == SharedLevelFileName || path == saveOwnFilePath(editor.levelNumber, "DAT") ||
                     reason.find(path) != std::string::npos;
  showTitleNote("not saved: %s%s", named ? "" : (path + ": ").c_str(), reason.c_str());
}

// A successful save clears an earlier note; one that left elements out says so.
static void saveReport(const std::string& path, int leftOut) {
  if (leftOut == 0) return clearTitleNote();
  const char* const noun = leftOut == 1 ? "element" : "elements";
  std::fprintf(stderr, "driver: %s saved without %d %s outside the level\n", path.c_str(), leftOut, noun);
  const bool shown = path == SharedLevelFileName || path == saveOwnFilePath(editor.levelNumber, "DAT");
  showTitleNote("%s%ssaved without %d %s outside the level", shown ? "" : path.c_str(), shown ? "" : " ",
                leftOut, noun);
}

// The folder a file goes into, by its full name when it can be found.
static std::string saveFolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  char resolved[PATH_MAX];
  return realpath(folder.c_str(), resolved) ? std::string(resolved) : folder;
}

static std::string saveFailure(const std::string& path, ReplaceResult result) {
  const std::string reason = std::strerror(result.error);
  switch (result.step) {
    case ReplaceTargetRefused: return path + " is read-only";
    case ReplaceCreateFailed: return "cannot create a file in " + saveFolderOf(path) + ": " + reason;
    case ReplaceWriteFailed: return "cannot write " + path + ": " + reason;
    default: return "cannot replace " + path + ": " + reason;
  }
}

// [writing one file] ------------------------------------------------------------------

// Builds the level's image into image and writes it to path unless the file is
// read-only. 0 when written; 1 after the refusal was reported.
static int saveImage(const std::string& path, const Level& level, std::vector<uint8_t>* image, int* leftOut) {
  image->assign(LevelFileSize, 0);
  if (buildLevelImage(level, image->data()) != 0) {
    saveRefuse(path, failureReason());
    return 1;
  }
  const ReplaceResult result = replaceFileAtomically(path.c_str(), image->data(), image->size(), ReplaceUnlessReadOnly);
  if (result.step != ReplaceDone) {
    saveRefuse(path, saveFailure(path, result));
    return 1;
  }
  *leftOut = elementsLeftOut(level);
  saveReport(path, *leftOut);
  return 0;
}

// The state a file now holds: none when the save left part of the level out.
static uint64_t saveHeldContent(const LevelHistory& history, int leftOut) {
  return leftOut == 0 ? historyContent(history) : 0;
}

// [S] ------------------------------------------------------------------------------------

static const char* const SharedFileQuestion =
    "LEVEL___.DAT has changed since this editor last wrote or read it; another program (the skills form) "
    "may have stamped a name, time and skills into it.\n\n"
    "Keep its name, time and skills in the level saved now, overwrite it with the level as it is, or "
    "cancel?";

void saveSharedFile() {
  std::vector<uint8_t> onDisk;
  std::string reason;
  const bool changed = levelFiles.shared.levelNumber >= 0 &&
                       readWholeFile(SharedLevelFileName, &onDisk, &reason) == 0 && onDisk != levelFiles.shared.bytes;
  if (!changed) {
    saveSharedFileAnswered(OverwriteIt);
    return;
  }
  const char* const buttons[] = {"Keep its name, time and skills", "Overwrite", "Cancel"};
  const int answer = messageBox(editor.window, MessageBoxWarning, "LEVEL___.DAT changed", SharedFileQuestion,
                                buttons, 3);
  // Without a box there is no way to ask, and the other program's change is
  // worth more than this save.
  if (answer < 0) saveRefuse(SharedLevelFileName, std::string("it changed on disk and the question cannot be shown (") +
                                                 platformError() + ")");
  else saveSharedFileAnswered(answer);
}

// The level takes what the file's stamp holds, as one step of its own.
static int saveTakeStamp() {
  std::vector<uint8_t> onDisk;
  std::string reason;
  if (readWholeFile(SharedLevelFileName, &onDisk, &reason) != 0) {
    saveRefuse(SharedLevelFileName, "cannot read " + std::string(SharedLevelFileName) + ": " + reason);
    return 1;
  }
  if (onDisk.size() != LevelFileSize || std::memcmp(onDisk.data(), "FORM", 4) != 0) {
    saveRefuse(SharedLevelFileName,
               std::string(SharedLevelFileName) + " is not an uncompressed level file to keep values of");
    return 1;
  }
  historyBegin();
  adoptLevelPatch(readLevelPatch(onDisk), &currentLevel);
  historyCommit(&currentHistory);
  return 0;
}

int saveSharedFileAnswered(int answer) {
  if (answer == CancelSave) return 1;
  if (answer == KeepItsStamp && saveTakeStamp() != 0) return 1;
  std::vector<uint8_t> image;
  int leftOut = 0;
  if (saveImage(SharedLevelFileName, currentLevel, &image, &leftOut) != 0) return 1;
  noteSharedFileHolds(editor.levelNumber, saveHeldContent(currentHistory, leftOut), image);
  showCurrentTitle();
  return 0;
}

// [Ctrl+S and Ctrl+Shift+S] ----------------------------------------------------------------

// Keeps the file's bytes as they were before this run first replaces it, so
// that a compressed original stays restorable. 0 when kept or nothing to keep.
static int saveKeepBackup(int number) {
  if (ownFileBackedUp(number)) return 0;
  const std::string path = saveOwnFilePath(number, "DAT");
  const std::string backup = saveOwnFilePath(number, "BAK");
  std::vector<uint8_t> bytes;
  std::string reason;
  if (readWholeFile(path, &bytes, &reason) == 0) {
    const ReplaceResult result = replaceFileAtomically(backup.c_str(), bytes.data(), bytes.size(), ReplaceAnyTarget);
    if (result.step != ReplaceDone) {
      saveRefuse(path, "cannot keep its old bytes: " + saveFailure(backup, result));
      return 1;
    }
  } else if (errno != ENOENT) {
    saveRefuse(path, "cannot read it to keep its old bytes: " + reason);
    return 1;
  }
  noteOwnFileBackedUp(number);
  return 0;
}

int saveOwnFile(int number) {
  const Level* level = nullptr;
  const LevelHistory* history = nullptr;
  if (!levelRecordOf(number, &level, &history)) return 0;  // not in memory: the file holds it already
  const std::string path = saveOwnFilePath(number, "DAT");
  if (!fileWritableByUs(path.c_str()) && errno == EACCES) {  // refused before a backup is made
    saveRefuse(path, path + " is read-only");
    return 1;
  }
  if (saveKeepBackup(number) != 0) return 1;
  std::vector<uint8_t> image;
  int leftOut = 0;
  if (saveImage(path, *level, &image, &leftOut) != 0) return 1;
  noteOwnFileHolds(number, saveHeldContent(*history, leftOut));
  showCurrentTitle();
  return 0;
}

int saveAllOwnFiles() {
  for (const int number : unsavedLevelNumbers())
    if (saveOwnFile(number) != 0) return 1;
  return 0;
}
