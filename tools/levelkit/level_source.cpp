#include "level_source.h"

#include <filesystem>
#include <system_error>

std::string dataDirOfLevel(const std::string& levelPath) {
  std::filesystem::path folder = std::filesystem::path(levelPath).parent_path();
  if (folder.empty()) folder = ".";
  return (folder / "..").lexically_normal().string();
}

std::string loadFailureText(const LevelLoad& load) {
  switch (load.failed) {
    case LoadLevelMissing: return std::generic_category().message(load.systemError);
    case LoadLevelUnreadable: return "cannot be read";
    case LoadStyleFile: return "its style " + load.stylePath + " does not load: " + load.reason;
    default: return load.reason;
  }
}
