#pragma once
// Running the levelkit program in tests, and the data its tests share.

#include <string>
#include <vector>

#include "support/files.h"

struct RunResult {
  int exitCode = -1;  // -1 when the program did not exit normally
  std::string out;    // standard output
  std::string err;    // standard error
};

RunResult runLevelkit(const std::vector<std::string>& args);

// A writable copy of the demo data set (LEVELS/ and STYLES/) in a fresh
// temporary folder; ready is false when the demo data was not generated.
struct DemoDataCopy {
  TempDir dir;
  bool ready = false;
  DemoDataCopy();
  std::string level(int n) const;               // DIR/LEVELS/LEVELnnn.DAT
  std::string style(const char* stem) const;   // DIR/STYLES/<stem>.DAT
};

#define SKIP_WITHOUT_DEMO_COPY(copy) \
  do { if (!(copy).ready) GTEST_SKIP() << "demo data not generated (build the demo_data target)"; } while (0)

struct Rgb8Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // empty when the file is missing or not an image
};
Rgb8Image readPng(const std::string& path);
