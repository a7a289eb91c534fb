// The level file stores the name in the single-byte Western code page the
// level files were made with (Windows-1252), whatever the desktop's locale.

#include "skills_core.h"

// Code points of bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the C1 controls of the same value, as the system's own
// conversion does.
static const char32_t HighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool ansiByteOf(char32_t codePoint, uint8_t* byte) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    *byte = static_cast<uint8_t>(codePoint);
    return true;
  }
  for (int k = 0; k < 32; ++k) {
    if (HighControlRange[k] == codePoint) {
      *byte = static_cast<uint8_t>(0x80 + k);
      return true;
    }
  }
  return false;
}
