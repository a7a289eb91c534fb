// driver under a private X server, started in a copy of the demo data.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/level_load.h"
#include "data/level.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/xvfb_session.h"

namespace fs = std::filesystem;

static std::string driverPath() { return std::string(testpaths::binaryDir()) + "/driver/driver"; }

static std::string expectedTitle(const std::string& demo, int number) {
  char path[64];
  std::snprintf(path, sizeof path, "/LEVELS/LEVEL%03d.DAT", number);
  Level level{};
  if (loadLevel((demo + path).c_str(), &level) != 0) return "";
  char title[260];
  formatLevelTitle(number, level.name, title, sizeof title);
  return title;
}

TEST(DriverView, StartsOnLevelZeroWithItsTitleAndStepsWithTheArrowKeys) {
  const fs::path demo = testpaths::demoDir();
  if (!fs::exists(demo / "LEVELS" / "LEVEL000.DAT")) GTEST_SKIP() << "demo data not generated (build demo_data)";
  TempDir dir;
  fs::copy(demo / "LEVELS", fs::path(dir.path) / "LEVELS", fs::copy_options::recursive);
  fs::copy(demo / "STYLES", fs::path(dir.path) / "STYLES", fs::copy_options::recursive);
  const std::string title0 = expectedTitle(dir.path, 0);
  const std::string title1 = expectedTitle(dir.path, 1);
  ASSERT_EQ(title0.rfind("Varnelo 1 - ", 0), 0u) << title0;

  XvfbSession x;
  ASSERT_TRUE(x.ok()) << x.error();
  ASSERT_TRUE(x.startProgram(driverPath(), dir.path, {})) << x.error();
  const std::string win = x.waitForWindow(windowNamePattern(title0), 15000);
  ASSERT_FALSE(win.empty()) << "no window titled " << title0 << "\n" << x.programOutput();
  EXPECT_EQ(x.windowName(win), title0);

  const fs::path artefacts = fs::path(testpaths::binaryDir()) / "artefacts";
  fs::create_directories(artefacts);
  const std::string shot = (artefacts / "driver_level0.png").string();
  EXPECT_TRUE(x.screenshot(shot)) << x.error();
  EXPECT_GT(readFileBytes(shot).size(), 1000u);

  ASSERT_TRUE(x.key(win, "Right"));
  EXPECT_TRUE(x.waitForWindowName(win, title1, 10000)) << x.windowName(win);
  ASSERT_TRUE(x.key(win, "Left"));
  EXPECT_TRUE(x.waitForWindowName(win, title0, 10000)) << x.windowName(win);

  ASSERT_TRUE(x.closeWindow(win));
  const ProgramStatus s = x.waitProgramExit(10000);
  EXPECT_TRUE(s.exited && s.exitCode == 0) << x.programOutput();
}

TEST(DriverView, WithoutDataExplainsAndExitsBeforeAnyWindow) {
  TempDir empty;
  XvfbSession x;
  ASSERT_TRUE(x.ok()) << x.error();
  ASSERT_TRUE(x.startProgram(driverPath(), empty.path, {})) << x.error();
  const ProgramStatus s = x.waitProgramExit(10000);
  EXPECT_TRUE(s.exited);
  EXPECT_NE(s.exitCode, 0);
  const std::string out = x.programOutput();
  EXPECT_NE(out.find("LEVELS/LEVEL000.DAT"), std::string::npos) << out;
  EXPECT_NE(out.find("must be in the current directory"), std::string::npos) << out;
  EXPECT_TRUE(x.waitForProgramWindow(500).empty());
}
