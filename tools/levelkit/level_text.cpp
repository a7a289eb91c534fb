#include "level_text.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "skills_core.h"

// Code points of bytes 0x80..0x9F; the five unassigned bytes keep their value.
static const uint16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string cp1252ToUtf8(const uint8_t* bytes, size_t maxBytes) {
  std::string out;
  for (size_t i = 0; i < maxBytes && bytes[i] != 0; ++i) {
    const unsigned cp = bytes[i] >= 0x80 && bytes[i] < 0xA0 ? cp1252High[bytes[i] - 0x80] : bytes[i];
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

const char* skillNameOfCode(int code) {
  static const std::map<int, std::string> names = [] {
    std::map<int, std::string> parsed;
    for (const char* line = SkillListText; *line;) {
      const char* end = std::strstr(line, "\r\n");
      const std::string text(line, end ? end : line + std::strlen(line));
      parsed[static_cast<int>(std::strtol(text.substr(0, 2).c_str(), nullptr, 16))] = text.substr(2);
      line = end ? end + 2 : line + text.size();
    }
    return parsed;
  }();
  const auto found = names.find(code);
  return found == names.end() ? nullptr : found->second.c_str();
}
