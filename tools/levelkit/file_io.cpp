#include "file_io.h"

#include <cstring>
#include <filesystem>

#include "levelfile/data_folder.h"
#include "levelfile/file_read.h"
#include "levelfile/replace_file.h"

int readInputFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* reason) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    *reason = error.message();
    return 1;
  }
  if (size > MaxLevelFileBytes) {
    *reason = "larger than any level data (" + std::to_string(MaxLevelFileBytes >> 20) + " MiB)";
    return 1;
  }
  if (readWholeFile(path, bytes, reason) == 0) return 0;
  *reason = "cannot be read";
  return 1;
}

int writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason) {
  const ReplaceResult result = replaceFileAtomically(path.c_str(), bytes.data(), bytes.size(), ReplaceAnyTarget);
  if (result.step == ReplaceDone) return 0;
  *reason = std::strerror(result.error);
  return 1;
}
