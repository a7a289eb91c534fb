#pragma once
// The window title of a level.

// The title "%s %d - %s" for a level number and a raw level name
// (Windows-1252 bytes, up to the first zero), converted to UTF-8.
void formatLevelTitle(int levelNumber, const char* name, char* out, int outSize);
