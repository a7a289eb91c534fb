#pragma once
// Saving levels: S into LEVEL___.DAT, Ctrl+S into the shown level's own file
// LEVELS/LEVELnnn.DAT, Ctrl+Shift+S every level with unsaved edits into its
// own file. Every save builds the same image. A save that leaves elements
// out says how many, a refused one names the file or folder and the reason,
// both after the title and on standard error; what each file now holds goes
// to the records behind the unsaved mark (state/level_files.h).

// The answers to S over a LEVEL___.DAT that changed since this run wrote or
// read it, in the order of the question's buttons.
enum SharedFileAnswer : int {
  KeepItsStamp = 0,  // "Keep its name, time and skills" (Return): the level takes them, then is saved
  OverwriteIt = 1,   // "Overwrite"
  CancelSave = 2,    // "Cancel" (Escape): nothing is written
};

// S: asks first when the file changed since this run wrote or read it (by
// content); otherwise saves at once.
void saveSharedFile();
// S once the question is settled; OverwriteIt when nothing was asked.
// 0 when the file was written.
int saveSharedFileAnswered(int answer);

// Ctrl+S for level `number`, the current one or a kept one. Before the first
// replacement of the file in this run its old bytes go to LEVELS/LEVELnnn.BAK.
// 0 when the file was written.
int saveOwnFile(int number);
// Ctrl+Shift+S: 0 when every level with unsaved edits was written; stops at
// the first refusal, which the title shows.
int saveAllOwnFiles();
