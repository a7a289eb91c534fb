#include "level_source.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string dataDirOfLevel(const std::string& levelPath) {
  fs::path folder = fs::path(levelPath).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  if (fs::is_directory(folder / "STYLES", error)) return folder.string();
  return (folder / "..").lexically_normal().string();
}

std::string dataFolderLack(const std::string& dir) {
  std::error_code error;
  if (!fs::is_directory(dir, error)) return "no such folder";
  const bool levels = fs::is_directory(fs::path(dir) / "LEVELS", error);
  const bool styles = fs::is_directory(fs::path(dir) / "STYLES", error);
  if (levels && styles) return "";
  return !levels && !styles ? "not a data folder: no LEVELS/ and no STYLES/"
                            : std::string("not a data folder: no ") + (levels ? "STYLES/" : "LEVELS/");
}

std::string loadFailureText(const LevelLoad& load) {
  switch (load.failed) {
    case LoadLevelMissing: return std::generic_category().message(load.systemError);
    case LoadLevelUnreadable: return "cannot be read";
    case LoadStyleFile: return "its style " + load.stylePath + " does not load: " + load.reason;
    default: return load.reason;
  }
}
