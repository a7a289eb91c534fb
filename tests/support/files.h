#pragma once
// File helpers shared by the tests.

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> readFileBytes(const std::string& path);  // empty if missing
void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool fileExists(const std::string& path);

// Makes path the current directory for the object's lifetime, then goes
// back (several loaders read paths relative to the current directory).
struct InDir {
  std::string previous;
  bool entered = false;  // false when path could not be entered
  explicit InDir(const std::string& path);
  ~InDir();
  InDir(const InDir&) = delete;
  InDir& operator=(const InDir&) = delete;
};

// A fresh directory under the system's temporary folder, removed (with its
// contents) when the object goes out of scope.
struct TempDir {
  std::string path;
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string file(const std::string& name) const { return path + "/" + name; }
};
