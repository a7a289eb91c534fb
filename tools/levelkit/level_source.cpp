#include "level_source.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "data/bind.h"
#include "data/failure.h"
#include "file_io.h"

std::string dataDirOfLevel(const std::string& levelPath) {
  std::filesystem::path folder = std::filesystem::path(levelPath).parent_path();
  if (folder.empty()) folder = ".";
  return (folder / "..").lexically_normal().string();
}

std::string levelPathIn(const std::string& dataDir, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "LEVELS/LEVEL%03d.DAT", number);
  return (std::filesystem::path(dataDir) / name).string();
}

std::string stylePathIn(const std::string& dataDir, int index) {
  return (std::filesystem::path(dataDir) / "STYLES" / (std::string(styleTable[index].stem) + ".DAT")).string();
}

int readLevelFile(const std::string& path, Level* level, bool* compressed, std::string* reason) {
  std::vector<uint8_t> bytes;
  if (readInputFile(path, &bytes, reason) != 0) return 1;
  if (parseLevel(bytes.data(), bytes.size(), level) != 0) {
    *reason = failureReason();
    return 1;
  }
  *compressed = bytes.size() >= 4 && std::memcmp(bytes.data(), "GSCM", 4) == 0;
  return 0;
}

int loadBoundStyle(const std::string& dataDir, Level* level, Style* style, std::string* reason) {
  if (level->style < 0 || level->style >= StyleCount) {
    *reason = "it names style " + std::to_string(level->style) + ", not one of 0.." + std::to_string(StyleCount - 1);
    return 1;
  }
  const std::string path = stylePathIn(dataDir, level->style);
  if (loadStyleFile(level->style, path.c_str(), style) != 0) {
    *reason = "its style " + path + " does not load: " + failureReason();
    return 1;
  }
  bindLevelToStyle(style, level);
  return 0;
}
