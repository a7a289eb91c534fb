#include "levelfile/cp1252.h"

// Code points of bytes 0x80..0x9F; every other byte is its own code point.
// The unassigned five keep their value, as web browsers and the system's own
// conversion do.
static const char32_t HighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
static constexpr uint8_t HighControlFirst = 0x80;
static constexpr size_t HighControlCount = sizeof HighControlRange / sizeof HighControlRange[0];

static char32_t codePointOf(uint8_t byte) {
  const size_t k = size_t(byte) - HighControlFirst;
  return k < HighControlCount ? HighControlRange[k] : byte;
}

// Every code point of the table lies below U+10000, so three bytes suffice.
static void appendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(char(cp));
  } else if (cp < 0x800) {
    out->push_back(char(0xC0 | (cp >> 6)));
    out->push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(char(0xE0 | (cp >> 12)));
    out->push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(char(0x80 | (cp & 0x3F)));
  }
}

std::string cp1252ToUtf8(const uint8_t* bytes, size_t maxBytes) {
  std::string out;
  for (size_t k = 0; k < maxBytes && bytes[k] != 0; ++k) appendUtf8(codePointOf(bytes[k]), &out);
  return out;
}

bool cp1252ByteOf(char32_t codePoint, uint8_t* byte) {
  const bool ownValue = codePoint < HighControlFirst || (codePoint >= HighControlFirst + HighControlCount &&
                                                         codePoint <= 0xFF);
  if (ownValue) {
    *byte = uint8_t(codePoint);
    return true;
  }
  for (size_t k = 0; k < HighControlCount; ++k) {
    if (HighControlRange[k] == codePoint) {
      *byte = uint8_t(HighControlFirst + k);
      return true;
    }
  }
  return false;
}
