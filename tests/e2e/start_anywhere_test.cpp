// driver and skills started from elsewhere on the folder or file they are
// given, as a desktop entry or a file manager starts them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "data/level.h"
#include "support/files.h"
#include "support/level_fixtures.h"
#include "support/paths.h"
#include "support/xvfb_session.h"

namespace fs = std::filesystem;

static std::string programPath(const char* relative) { return std::string(testpaths::binaryDir()) + relative; }

static std::vector<uint8_t> waitForFile(const std::string& path, const std::vector<uint8_t>& before) {
  std::vector<uint8_t> now = readFileBytes(path);
  for (int i = 0; i < 100 && (now.empty() || now == before); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    now = readFileBytes(path);
  }
  return now;
}

// Started in an empty folder and given the data folder: it says which folder
// it works in, and S saves there.
TEST(StartAnywhere, DriverWorksInTheFolderItIsGiven) {
  const std::string demo = testpaths::demoDir();
  if (!fileExists(demo + "/LEVELS/LEVEL000.DAT")) GTEST_SKIP() << "no demo data in " << demo;
  TempDir data, elsewhere;
  for (const char* sub : {"LEVELS", "STYLES"})
    fs::create_directory_symlink(fs::path(demo) / sub, fs::path(data.path) / sub);
  XvfbSession x;
  ASSERT_TRUE(x.ok()) << x.error();
  ASSERT_TRUE(x.startProgram(programPath("/driver/driver"), elsewhere.path, {data.path})) << x.error();
  const std::string window = x.waitForProgramWindow(15000);
  ASSERT_FALSE(window.empty()) << x.programOutput();
  EXPECT_TRUE(x.waitForOutput("driver: data folder " + fs::canonical(data.path).string() + "\n", 5000))
      << x.programOutput();

  ASSERT_TRUE(x.key(window, "s"));
  EXPECT_EQ(waitForFile(data.file("LEVEL___.DAT"), {}).size(), LevelFileSize) << x.programOutput();
  EXPECT_FALSE(fileExists(elsewhere.file("LEVEL___.DAT")));
  const ProgramStatus status = x.stopProgram(10000);
  EXPECT_TRUE(status.exited && status.exitCode == 0) << x.programOutput();
}

// Given a level file of any name elsewhere, Apply writes the form into it.
TEST(StartAnywhere, SkillsAppliesToTheFileItIsGiven) {
  unsetenv("QT_QPA_PLATFORM");  // the program must use the X server
  TempDir files, elsewhere;
  LevelDescription level;
  level.name = "Given by name";
  const std::vector<uint8_t> original = makeLevelImage(level);
  writeFileBytes(files.file("pack one.dat"), original);
  XvfbSession x;
  ASSERT_TRUE(x.ok()) << x.error();
  ASSERT_TRUE(x.startProgram(programPath("/skills/skills"), elsewhere.path, {files.file("pack one.dat")}))
      << x.error();
  const std::string window = x.waitForWindow(windowNamePattern("Talveny"), 15000);
  ASSERT_FALSE(window.empty()) << x.programOutput();

  constexpr int ApplyX = 144 + 28, ApplyY = 304 + 12;  // the Apply button's centre
  ASSERT_TRUE(x.mouseMove(window, ApplyX, ApplyY) && x.click(1));
  const std::vector<uint8_t> applied = waitForFile(files.file("pack one.dat"), original);
  ASSERT_EQ(applied.size(), LevelFileSize);
  Level after;
  ASSERT_EQ(parseLevel(applied.data(), applied.size(), &after), 0);
  EXPECT_EQ(std::string(after.name, LevelNameStampSize), "New Level           ");  // the form's own default
  x.stopProgram(5000);
}

// Installed (the program in PREFIX/bin, the demo levels in
// PREFIX/share/levelkit/demo) and started where there is no data: the box
// offers the demo levels, and taking them (Return) copies them into the
// user's data folder and opens that copy, where S can write.
TEST(StartAnywhere, DriverOpensACopyOfTheInstalledDemoLevels) {
  const std::string demo = testpaths::demoDir();
  if (!fileExists(demo + "/LEVELS/LEVEL000.DAT")) GTEST_SKIP() << "no demo data in " << demo;
  TempDir prefix, dataHome, elsewhere;
  fs::create_directories(prefix.file("bin"));
  fs::copy_file(programPath("/driver/driver"), prefix.file("bin/levelkit-driver"));
  fs::create_directories(prefix.file("share/levelkit/demo"));
  for (const char* sub : {"LEVELS", "STYLES"})
    fs::copy(fs::path(demo) / sub, prefix.file("share/levelkit/demo/") + sub, fs::copy_options::recursive);
  XvfbSession x;
  ASSERT_TRUE(x.ok()) << x.error();
  x.extraEnvironment = {"XDG_DATA_HOME=" + dataHome.path};
  ASSERT_TRUE(x.startProgram(prefix.file("bin/levelkit-driver"), elsewhere.path, {})) << x.error();
  const std::string box = x.waitForTopLevelWindow("driver", 15000);
  ASSERT_FALSE(box.empty()) << x.programOutput();
  ASSERT_TRUE(x.key(box, "Return"));  // "Open the demo levels"

  const std::string copy = fs::canonical(dataHome.path).string() + "/levelkit/demo";
  ASSERT_TRUE(x.waitForOutput("driver: data folder " + copy + "\n", 15000)) << x.programOutput();
  EXPECT_TRUE(fileExists(copy + "/LEVELS/LEVEL119.DAT"));
  const std::string window = x.waitForProgramWindow(15000);
  ASSERT_FALSE(window.empty()) << x.programOutput();
  ASSERT_TRUE(x.key(window, "s"));
  EXPECT_EQ(waitForFile(copy + "/LEVEL___.DAT", {}).size(), LevelFileSize) << x.programOutput();
  const ProgramStatus status = x.stopProgram(10000);
  EXPECT_TRUE(status.exited && status.exitCode == 0) << x.programOutput();
}
