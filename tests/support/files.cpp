#include "support/files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <unistd.h>

std::vector<uint8_t> readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

InDir::InDir(const std::string& path) {
  char buffer[4096];
  previous = getcwd(buffer, sizeof buffer) ? buffer : ".";
  entered = chdir(path.c_str()) == 0;
  EXPECT_TRUE(entered) << "cannot enter " << path;
}

InDir::~InDir() { EXPECT_EQ(chdir(previous.c_str()), 0); }

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "levelkit-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  path = made ? made : "";
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}
