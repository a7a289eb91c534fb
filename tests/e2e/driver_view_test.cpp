// driver under a private X server, started in a copy of the demo data.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <unistd.h>
#include <string>

#include "state/level_title.h"
#include "data/level_source.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/skips.h"
#include "support/xvfb_session.h"

namespace fs = std::filesystem;

static std::string driverPath() { return std::string(testpaths::binaryDir()) + "/driver/driver"; }

static std::string expectedTitle(const std::string& demo, int number) {
  Level level{};
  if (loadLevel(levelPathIn(demo, number).c_str(), &level) != 0) return "";
  char title[260];
  formatLevelTitle(number, level.name, title, sizeof title);
  return title;
}

// The first frames follow the title; a drawn level has many colours where a
// cleared frame has one, and the light-grey clear colour is gone from the view
// centre (the level's centre).
static bool waitForLevelPicture(XvfbSession& x, const WindowGeometry& g) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    const std::vector<unsigned char> rgb = x.screenRgb(g.x, g.y, g.width, g.height);
    std::set<uint32_t> colours;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) colours.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
    const size_t centre = (static_cast<size_t>(g.height / 2 - 39) * g.width + g.width / 2) * 3;
    const bool centreGrey = centre + 2 < rgb.size() && rgb[centre] == 191 && rgb[centre + 1] == 191;
    if (colours.size() >= 8 && !centreGrey) return true;
    usleep(100000);
  }
  return false;
}

TEST(DriverView, StartsOnLevelZeroWithItsTitleAndStepsWithTheArrowKeys) {
  const fs::path demo = testpaths::demoDir();
  SKIP_WITHOUT_DEMO_DATA();
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

  const WindowGeometry g = x.windowGeometry(win);
  ASSERT_TRUE(g.valid);
  EXPECT_TRUE(waitForLevelPicture(x, g)) << "the client area never showed a level";

  const fs::path artefacts = fs::path(testpaths::binaryDir()) / "artefacts";
  fs::create_directories(artefacts);
  EXPECT_TRUE(x.screenshot((artefacts / "driver_level0.png").string())) << x.error();

  ASSERT_TRUE(x.key(win, "Right"));
  EXPECT_TRUE(x.waitForWindowName(win, title1, 10000)) << x.windowName(win);
  ASSERT_TRUE(x.key(win, "Left"));
  EXPECT_TRUE(x.waitForWindowName(win, title0, 10000)) << x.windowName(win);

  ASSERT_TRUE(x.closeWindow(win));
  const ProgramStatus s = x.waitProgramExit(10000);
  EXPECT_TRUE(s.exited && s.exitCode == 0) << x.programOutput();
}

// Started where there is no data (a desktop launcher, a file manager): the
// reason goes to standard error as it always did, and a box shows it where a
// user looks (no demo levels are installed beside a build tree, so it offers
// only Close); closing the box ends the program with status 1.
TEST(DriverView, WithoutDataExplainsInABoxAndExits) {
  TempDir empty;
  XvfbSession x;
  ASSERT_TRUE(x.ok()) << x.error();
  ASSERT_TRUE(x.startProgram(driverPath(), empty.path, {})) << x.error();
  const std::string box = x.waitForTopLevelWindow("driver", 15000);
  ASSERT_FALSE(box.empty()) << x.programOutput();
  const std::string out = x.programOutput();
  EXPECT_NE(out.find("LEVELS/LEVEL000.DAT"), std::string::npos) << out;
  EXPECT_NE(out.find("must be in the current directory"), std::string::npos) << out;
  ASSERT_TRUE(x.key(box, "Escape"));
  const ProgramStatus s = x.waitProgramExit(10000);
  EXPECT_TRUE(s.exited && s.exitCode == 1) << x.programOutput();
}
