#pragma once
// Making a level the one being edited: level file, its style, binding,
// animation period, block textures, window title, editor reset, item bar.

#include "levelfile/data_folder.h"  // LevelCount

// Loads level editor.levelNumber from disk into fresh records and only then
// replaces the current level (dropping its undo history), style and textures.
// 0 on success; 1 on failure with the current level left exactly as it was
// and a one-line reason printed to standard error.
int loadCurrentLevel();

// Deletes the block textures and releases the style.
void freeCurrentLevel();

// The Left/Right and Page Up/Down keys: steps levelNumber by step (-1, +1,
// -10 or +10), wrapping within 0..119, until a level loads; if none on the
// walk loads, nothing changes. The level left
// is kept, with its style and history, when it holds edits; a kept level comes
// back as it was left instead of being read again. The level reached names
// the first level passed over and its reason in the title's note.
void switchLevel(int step);

// Makes kept level `number` the current one, keeping the level left when it
// holds edits; nothing changes when `number` is not kept.
void showKeptLevel(int number);

// After currentStyle was replaced under the current level (a reopen, or the
// undo or redo of one): animation period, block textures and item bar follow.
void adoptCurrentStyle();

// Why a level did not load: its number and the reason, for the title.
struct LoadFailure {
  int levelNumber;
  char reason[112];
};

// Start-up, before any window exists: the first level that loads with its
// style, read without keeping them. 0 with its number; each level passed over
// was reported on standard error and `first` holds the first of them.
// 1 when level 0 fails and LEVELS/ or STYLES/ is missing, after a reminder
// that both belong in the current directory; 2 when both are there and no
// level loads.
int findStartLevel(int* number, LoadFailure* first);
// After the start level was loaded: the note naming the levels passed over
// (level 0 .. startLevel - 1), if any.
void noteLevelsSkippedAtStart(int startLevel, const LoadFailure& first);
