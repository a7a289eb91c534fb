#pragma once
// Reading a whole file, and telling its versions apart without reading it.

#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file. 0 on success; 1 with reason set to the system's
// explanation.
int readWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* reason);

// What tells one version of a file from the next: a rewrite changes its size
// or modification time, a replacement by rename its inode. Both programs
// watch the file they share with it.
struct FileStamp {
  bool exists = false;
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modifiedSeconds = 0;
  int64_t modifiedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp fileStampOf(const std::string& path);  // following links; exists false when missing
