#pragma once
// Skipping a test that needs what a machine may lack, saying why: the demo
// data set (the demo_data target generates it) or headless OpenGL.

#include <filesystem>

#include "levelfile/data_folder.h"
#include "support/paths.h"

namespace testpaths {
// The first and the last level and the styles' folder of the demo data.
inline bool demoDataPresent() {
  namespace fs = std::filesystem;
  return fs::exists(levelPathIn(demoDir(), 0)) && fs::exists(levelPathIn(demoDir(), LevelCount - 1)) &&
         fs::is_directory(fs::path(demoDir()) / "STYLES");
}
}  // namespace testpaths

#define SKIP_WITHOUT_DEMO_DATA()                                                                           \
  do {                                                                                                     \
    if (!testpaths::demoDataPresent())                                                                     \
      GTEST_SKIP() << "no demo data in " << testpaths::demoDir() << " (build the demo_data target)";       \
  } while (0)

// gl: a HeadlessGl that could not be made.
#define SKIP_WITHOUT_GL(gl) \
  do { if (!(gl).ok()) GTEST_SKIP() << "headless OpenGL unavailable: " << (gl).failure; } while (0)
