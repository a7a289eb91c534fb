// The window title of a level: "<style group> <n> - <name>", the name turned
// from Windows-1252 into UTF-8.
#include "state/level_title.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "data/style.h"

static const char* const styleDisplayNames[StyleCount] = {
    "Varnelo", "Quorb", "Tessily", "Drumek", "Ollivant", "Pemberyx",
    "Sarrowen", "Feldric", "Nimbe", "Wexlin", "Zorra", "Kelpin",
};

// Code points of Windows-1252 bytes 0x80..0x9F; the five unassigned bytes keep
// their own value, as web browsers do, so no byte is lost.
static const uint16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Appends the UTF-8 form of one Windows-1252 byte if it fits whole (with the
// terminator); returns the new length, unchanged when it does not fit.
static int loadAppendCp1252(uint8_t byte, char* out, int length, int outSize) {
  const unsigned cp = byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : byte;
  char utf8[3];
  int n = 0;
  if (cp < 0x80) {
    utf8[n++] = static_cast<char>(cp);
  } else if (cp < 0x800) {
    utf8[n++] = static_cast<char>(0xC0 | (cp >> 6));
    utf8[n++] = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    utf8[n++] = static_cast<char>(0xE0 | (cp >> 12));
    utf8[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    utf8[n++] = static_cast<char>(0x80 | (cp & 0x3F));
  }
  if (length + n >= outSize) return length;
  std::memcpy(out + length, utf8, n);
  return length + n;
}

void formatLevelTitle(int levelNumber, const char* name, char* out, int outSize) {
  if (!out || outSize <= 0) return;
  const int group = levelNumber / 10;
  const char* display = group >= 0 && group < StyleCount ? styleDisplayNames[group] : "";
  int length = std::snprintf(out, static_cast<size_t>(outSize), "%s %d - ", display, levelNumber % 10 + 1);
  if (length < 0 || length >= outSize) return;  // truncated prefix: nothing more fits
  for (const char* p = name; p && *p; ++p) {
    const int grown = loadAppendCp1252(static_cast<uint8_t>(*p), out, length, outSize);
    if (grown == length) break;  // out of room: never cut a character in half
    length = grown;
  }
  out[length] = '\0';
}

