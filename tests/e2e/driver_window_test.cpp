// driver itself under a private X server: its window, its level titles, input
// reaching the event drain, and an orderly end on every kind of quit request.
#include <array>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "support/files.h"
#include "support/paths.h"
#include "support/skips.h"
#include "support/xvfb_session.h"

static std::string driverPath() { return std::string(testpaths::binaryDir()) + "/driver/driver"; }

TEST(DriverWithoutLevelData, RefusesToStartAndSaysWhy) {
  ASSERT_TRUE(fileExists(driverPath())) << "build the driver target first";
  XvfbSession x;
  ASSERT_TRUE(x.ok()) << x.error();
  TempDir empty;
  ASSERT_TRUE(x.startProgram(driverPath(), empty.path, {}));
  const std::string box = x.waitForTopLevelWindow("driver", 15000);  // the folder holds no data
  ASSERT_FALSE(box.empty()) << x.programOutput();
  ASSERT_TRUE(x.key(box, "Escape"));
  ProgramStatus s = x.waitProgramExit(15000);
  EXPECT_FALSE(s.timedOut);
  EXPECT_TRUE(s.exited);
  EXPECT_NE(s.exitCode, 0);
  EXPECT_NE(x.programOutput(), "");  // one line naming what is missing
}

// driver on a private copy of the demo data, so nothing it might write lands
// in the shared set.
class DriverOnDemoData : public ::testing::Test {
 protected:
  XvfbSession x;
  TempDir dir;
  std::string win;

  void SetUp() override {
    SKIP_WITHOUT_DEMO_DATA();
    std::string demo = testpaths::demoDir();
    ASSERT_TRUE(fileExists(driverPath())) << "build the driver target first";
    ASSERT_TRUE(x.ok()) << x.error();
    std::filesystem::copy(demo, dir.path, std::filesystem::copy_options::recursive);
    ASSERT_TRUE(x.startProgram(driverPath(), dir.path, {}));
    win = x.waitForProgramWindow(15000);
    ASSERT_FALSE(win.empty()) << x.programOutput();
  }

  // Waits until the window's title starts with prefix; returns the last title seen.
  std::string titleStartingWith(const std::string& prefix) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string title;
    do {
      title = x.windowName(win);
      if (title.rfind(prefix, 0) == 0) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return title;
  }

  // First row, going down screen column 512, that is not the light grey of
  // the clear colour: the level's top edge. -1 if none.
  int levelTopEdge() {
    std::vector<unsigned char> column = x.screenRgb(512, 144, 1, 380);
    for (size_t i = 0; i + 2 < column.size(); i += 3)
      if (column[i] != 191 || column[i + 1] != 191 || column[i + 2] != 191) return static_cast<int>(i / 3);
    return -1;
  }
};

TEST_F(DriverOnDemoData, OpensTheFirstLevelInACentredWindow) {
  EXPECT_EQ(titleStartingWith("Varnelo 1 - ").rfind("Varnelo 1 - ", 0), 0u);
  WindowGeometry g = x.windowGeometry(win);
  ASSERT_TRUE(g.valid);
  EXPECT_EQ((std::array{g.x, g.y, g.width, g.height}), (std::array{192, 144, 640, 480}));  // x, y, w, h
}

TEST_F(DriverOnDemoData, ArrowKeysReachTheDrainAndSwitchLevels) {
  ASSERT_EQ(titleStartingWith("Varnelo 1 - ").rfind("Varnelo 1 - ", 0), 0u);
  ASSERT_TRUE(x.key(win, "Right"));
  EXPECT_EQ(titleStartingWith("Varnelo 2 - ").rfind("Varnelo 2 - ", 0), 0u);
  ASSERT_TRUE(x.key(win, "Left Left"));
  EXPECT_EQ(titleStartingWith("Kelpin 10 - ").rfind("Kelpin 10 - ", 0), 0u);
}

TEST_F(DriverOnDemoData, RightButtonDragReachesTheDrainAndPansTheLevel) {
  titleStartingWith("Varnelo 1 - ");
  int before = -1;
  for (int i = 0; i < 50 && before <= 0; i++) {  // until the first frame is on screen
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    before = levelTopEdge();
  }
  ASSERT_GT(before, 0) << "the level's top edge should be below the window's top";
  ASSERT_TRUE(x.mouseMove(win, 320, 200));
  ASSERT_TRUE(x.mouseDown(3));  // X's right button
  ASSERT_TRUE(x.mouseMove(win, 320, 220));
  ASSERT_TRUE(x.mouseMove(win, 320, 240));
  ASSERT_TRUE(x.mouseUp(3));
  int after = -1;
  for (int i = 0; i < 50 && after != before + 40; i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    after = levelTopEdge();
  }
  EXPECT_EQ(after, before + 40);  // the view follows the pointer
}

TEST_F(DriverOnDemoData, CloseRequestEndsWithStatusZero) {
  ASSERT_TRUE(x.closeWindow(win));
  ProgramStatus s = x.waitProgramExit(10000);
  EXPECT_TRUE(s.exited && s.exitCode == 0) << "signal " << s.signal << ", output: " << x.programOutput();
  // Only the line naming the folder it worked in.
  EXPECT_EQ(x.programOutput(), "driver: data folder " + std::filesystem::canonical(dir.path).string() + "\n");
}

TEST_F(DriverOnDemoData, TerminationSignalEndsWithStatusZero) {
  ProgramStatus s = x.stopProgram(10000);
  EXPECT_FALSE(s.timedOut);
  EXPECT_TRUE(s.exited && s.exitCode == 0) << "signal " << s.signal << ", output: " << x.programOutput();
}
