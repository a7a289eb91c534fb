#pragma once
// Commands that replace the level under the editor, served by the event loop
// right after the key that asked for them (see LevelRequest), and the
// question before closing.

void undoEdit();          // Ctrl+Z: the last edit of the current level undone
void redoEdit();          // Ctrl+Y, Ctrl+Shift+Z: the last undone edit made again
// Ctrl+O: LEVEL___.DAT from the current directory, with the style it names,
// in place of the current level as one undoable step. A missing or broken
// file changes nothing: one line on standard error and a note in the title.
void reopenSavedLevel();

// Closing the window: 1 to close now; with unsaved edits in any level, the
// user is asked first and 0 means stay.
int confirmClose();
