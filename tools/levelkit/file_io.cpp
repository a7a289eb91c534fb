#include "file_io.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "levelfile/replace_file.h"

int readInputFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* reason) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    *reason = error.message();
    return 1;
  }
  if (size > MaxInputFileSize) {
    *reason = "larger than any level data (" + std::to_string(MaxInputFileSize >> 20) + " MiB)";
    return 1;
  }
  std::vector<uint8_t> data(size);
  std::ifstream in(path, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size))) {
    *reason = "cannot be read";
    return 1;
  }
  *bytes = std::move(data);
  return 0;
}

int writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason) {
  const ReplaceResult result = replaceFileAtomically(path.c_str(), bytes.data(), bytes.size(), ReplaceAnyTarget);
  if (result.step == ReplaceDone) return 0;
  *reason = std::strerror(result.error);
  return 1;
}
