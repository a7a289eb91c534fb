#include "levelfile/data_folder.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

bool hasGscmMagic(const uint8_t* data, size_t size) {
  return size >= sizeof GscmMagic && std::memcmp(data, GscmMagic, sizeof GscmMagic) == 0;
}

std::string levelPathIn(const std::string& dataDir, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "LEVELS/LEVEL%03d.DAT", number);
  return (std::filesystem::path(dataDir) / name).string();
}

std::string stylePathIn(const std::string& dataDir, const char* stem) {
  return (std::filesystem::path(dataDir) / "STYLES" / (std::string(stem) + ".DAT")).string();
}
