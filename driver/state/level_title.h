#pragma once
// The window title of a level.

#include "data/level.h"

// The title "%s %d - %s" for a level number and a raw level name
// (Windows-1252 bytes, up to the first zero), converted to UTF-8.
void formatLevelTitle(int levelNumber, const char* name, char* out, int outSize);

// Level `levelNumber`'s title as its window shows it, without mark or note:
// after Ctrl+O the style of the file opened replaces the number's group.
void formatTitleOf(int levelNumber, const Level& level, char* out, int outSize);

// The current level's whole title: "*" first while it holds unsaved edits,
// then its level title, then " (<note>)" while editor.titleNote holds one.
void formatCurrentTitle(char* out, int outSize);

// Gives the window formatCurrentTitle when it shows something else.
void showCurrentTitle();

// Sets (printf-style) the note shown after the title until the next edit,
// save or switch, then shows the title.
void showTitleNote(const char* format, ...) __attribute__((format(printf, 1, 2)));
void clearTitleNote();  // and shows the title without it
