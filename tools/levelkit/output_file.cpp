#include "output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "skills_core.h"

int writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason) {
  std::error_code error;
  // An existing file keeps its permissions and links.
  if (std::filesystem::exists(path, error)) return replaceFileAtomically(path, bytes, reason);
  const std::string temporary = path + ".partial";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    *reason = std::strerror(errno);
    std::filesystem::remove(temporary, error);
    return 1;
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    *reason = error.message();
    std::filesystem::remove(temporary, error);
    return 1;
  }
  return 0;
}
