#pragma once
// Running the levelkit program in tests, and the data its tests share.

#include <string>
#include <vector>

#include "support/files.h"
#include "support/skips.h"

struct RunResult {
  int exitCode = -1;  // -1 when the program did not exit normally
  std::string out;    // standard output
  std::string err;    // standard error
};

RunResult runLevelkit(const std::vector<std::string>& args);

// A writable copy of the demo data set (LEVELS/ and STYLES/) in a fresh
// temporary folder; empty when there is no demo data (SKIP_WITHOUT_DEMO_DATA).
struct DemoDataCopy {
  TempDir dir;
  DemoDataCopy();
  std::string level(int n) const;               // DIR/LEVELS/LEVELnnn.DAT
  std::string style(const char* stem) const;   // DIR/STYLES/<stem>.DAT
};


struct Rgb8Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // empty when the file is missing or not an image
};
Rgb8Image readPng(const std::string& path);
