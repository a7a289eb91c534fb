// The window title of a level: "<style group> <n> - <name>", the name turned
// from Windows-1252 into UTF-8; the current level's adds the unsaved mark and
// the note of a failed or refused action.
#include "state/level_title.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "data/style.h"
#include "levelfile/cp1252.h"
#include "platform/window.h"
#include "state/editor_state.h"
#include "state/level_files.h"

// The title with the display name of style `named`.
static void formatTitleNaming(int named, int levelNumber, const char* name, char* out, int outSize) {
  if (!out || outSize <= 0) return;
  const char* display = named >= 0 && named < StyleCount ? styleDisplayNames[named] : "";
  int length = std::snprintf(out, static_cast<size_t>(outSize), "%s %d - ", display, levelNumber % 10 + 1);
  if (length < 0 || length >= outSize) return;  // truncated prefix: nothing more fits
  const std::string utf8 =
      name ? cp1252ToUtf8(reinterpret_cast<const uint8_t*>(name), std::strlen(name)) : std::string();
  // Out of room, stop before the first character that does not fit whole.
  size_t kept = std::min(utf8.size(), static_cast<size_t>(outSize - 1 - length));
  while (kept > 0 && kept < utf8.size() && (static_cast<uint8_t>(utf8[kept]) & 0xC0) == 0x80) --kept;
  std::memcpy(out + length, utf8.data(), kept);
  out[length + static_cast<int>(kept)] = '\0';
}

void formatLevelTitle(int levelNumber, const char* name, char* out, int outSize) {
  formatTitleNaming(levelNumber / 10, levelNumber, name, out, outSize);
}

void formatTitleOf(int levelNumber, const Level& level, char* out, int outSize) {
  const int named = level.titleStyle >= 0 ? level.titleStyle : levelNumber / 10;
  formatTitleNaming(named, levelNumber, level.name, out, outSize);
}

void formatCurrentTitle(char* out, int outSize) {
  if (!out || outSize < 2) return;
  const int mark = levelHasUnsavedEdits(editor.levelNumber) ? 1 : 0;
  out[0] = '*';
  formatTitleOf(editor.levelNumber, currentLevel, out + mark, outSize - mark);
  if (editor.titleNote[0] == '\0') return;
  const size_t used = std::strlen(out);
  std::snprintf(out + used, static_cast<size_t>(outSize) - used, " (%s)", editor.titleNote);
}

void showCurrentTitle() {
  AppWindow* window = editor.window;
  if (!window) return;
  char title[sizeof window->title];
  formatCurrentTitle(title, sizeof title);
  if (std::strcmp(title, window->title) == 0) return;
  std::memcpy(window->title, title, sizeof title);
  windowApplyTitle(window);
}

void showTitleNote(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(editor.titleNote, sizeof editor.titleNote, format, args);
  va_end(args);
  showCurrentTitle();
}

void clearTitleNote() {
  editor.titleNote[0] = '\0';
  showCurrentTitle();
}
