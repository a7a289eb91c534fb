// The load sequence: level file, style index, style file, binding.
#include "data/level_source.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "data/bind.h"
#include "data/failure.h"

static int sourceFail(LevelLoad* result, LoadStep step, const char* reason, int systemError = 0) {
  setFailureReason(reason);
  result->failed = step;
  result->reason = reason;
  result->systemError = systemError;
  return 1;
}

// The size is known before anything is allocated, so a huge file, a folder or
// a device under the level's name costs nothing.
static int sourceReadBytes(const std::string& path, std::vector<uint8_t>* bytes, LevelLoad* result) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return sourceFail(result, LoadLevelMissing, "file not found", error.value());
  if (size > MaxLevelFileBytes) return sourceFail(result, LoadLevelTooLarge, "larger than any level data (64 MiB)");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return sourceFail(result, LoadLevelUnreadable, "file not found", errno);
  bytes->resize(size);
  const bool whole = std::fread(bytes->data(), 1, bytes->size(), file) == bytes->size();
  std::fclose(file);
  if (!whole) return sourceFail(result, LoadLevelUnreadable, "level file could not be read");
  return 0;
}

int readLevelFile(const std::string& path, Level* level, LevelLoad* result) {
  *result = LevelLoad{};
  std::vector<uint8_t> bytes;
  if (sourceReadBytes(path, &bytes, result) != 0) return 1;
  if (parseLevel(bytes.data(), bytes.size(), level) != 0) return sourceFail(result, LoadLevelDamaged, failureReason());
  result->compressed = hasGscmMagic(bytes.data(), bytes.size());
  return 0;
}

int loadLevelStyle(const std::string& dataDir, Style* inUse, Level* level, Style* style, LevelLoad* result) {
  freeStyle(style);
  if (level->style < 0 || level->style >= StyleCount) {
    result->failed = LoadStyleIndex;
    result->reason = "it names style " + std::to_string(level->style) + ", not one of 0.." +
                     std::to_string(StyleCount - 1);
    return 1;
  }
  result->stylePath = stylePathIn(dataDir, level->style);
  if (inUse && inUse->styleIndex == level->style) {
    bindLevelToStyle(inUse, level);
    return 0;
  }
  if (loadStyleFile(level->style, result->stylePath.c_str(), style) != 0) {
    result->failed = LoadStyleFile;
    result->reason = failureReason();
    return 1;
  }
  result->styleRead = true;
  bindLevelToStyle(style, level);
  return 0;
}

int loadLevelAndStyle(const std::string& levelPath, const std::string& dataDir, Style* inUse, Level* level,
                      Style* style, LevelLoad* result) {
  if (readLevelFile(levelPath, level, result) != 0) return 1;
  return loadLevelStyle(dataDir, inUse, level, style, result);
}

int loadLevel(const char* path, Level* level) {
  LevelLoad result;
  return readLevelFile(path, level, &result);
}
