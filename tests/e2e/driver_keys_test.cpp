// The real driver under a private X server, driven by keys: level switching
// by title, saving, and the item bar switching between its two lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "state/level_title.h"
#include "data/level_source.h"
#include "data/level_writer.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/skips.h"
#include "support/xvfb_session.h"

namespace fs = std::filesystem;

namespace {

std::string driverPath() { return std::string(testpaths::binaryDir()) + "/driver/driver"; }

// A working directory that sees the demo data but keeps LEVEL___.DAT to itself.
void linkDemoData(const TempDir& dir) {
  for (const char* sub : {"LEVELS", "STYLES"})
    fs::create_directory_symlink(fs::path(testpaths::demoDir()) / sub, fs::path(dir.path) / sub);
}

// Reads, binds and writes level n in-process, from the current directory, as
// the driver does at a load and at a save. Also gives the level's title.
struct ExpectedLevel {
  std::string title;
  std::vector<uint8_t> image;
};

ExpectedLevel expectedLevel(const std::string& dataDir, int n) {
  ExpectedLevel out;
  InDir cwd(dataDir);
  Level level;
  Style style{};
  LevelLoad load;
  if (loadLevelAndStyle(levelPathIn("", n), "", nullptr, &level, &style, &load) == 0) {
    char title[260] = "";
    formatLevelTitle(n, level.name, title, sizeof title);
    out.title = title;
    out.image.resize(LevelFileSize);
    if (buildLevelImage(level, out.image.data()) != 0) out.image.clear();
  }
  freeStyle(&style);
  return out;
}

// A binary PPM (P6) as written by the screenshot tool, reduced to 8 bits a
// sample (the tool may write 16-bit samples, most significant byte first).
struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

Picture readPpm(const std::string& path) {
  Picture p;
  const std::vector<uint8_t> bytes = readFileBytes(path);
  size_t pos = 0;
  auto token = [&]() {
    std::string t;
    while (pos < bytes.size()) {
      const char c = static_cast<char>(bytes[pos]);
      if (c == '#') {
        while (pos < bytes.size() && bytes[pos] != '\n') ++pos;
      } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
        if (!t.empty()) break;
        ++pos;
      } else {
        t += c;
        ++pos;
      }
    }
    return t;
  };
  if (token() != "P6") return p;
  const int w = std::atoi(token().c_str());
  const int h = std::atoi(token().c_str());
  const int maxval = std::atoi(token().c_str());
  if ((maxval != 255 && maxval != 65535) || w <= 0 || h <= 0) return p;
  ++pos;  // the single whitespace byte before the samples
  const size_t sampleBytes = maxval == 255 ? 1 : 2;
  const size_t samples = static_cast<size_t>(w) * h * 3;
  if (bytes.size() < pos + samples * sampleBytes) return p;
  p.width = w;
  p.height = h;
  p.rgb.resize(samples);
  for (size_t i = 0; i < samples; ++i) p.rgb[i] = bytes[pos + i * sampleBytes];
  return p;
}

// The pixels of a screen rectangle, row by row.
std::vector<uint8_t> region(const Picture& p, int x, int y, int w, int h) {
  std::vector<uint8_t> out;
  if (x < 0 || y < 0 || x + w > p.width || y + h > p.height) return out;
  for (int j = y; j < y + h; ++j) {
    const auto row = p.rgb.begin() + (static_cast<long>(j) * p.width + x) * 3;
    out.insert(out.end(), row, row + static_cast<long>(w) * 3);
  }
  return out;
}

// Pixels that differ between two regions of the same size (all when the sizes differ).
int differingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return static_cast<int>(std::max(a.size(), b.size()) / 3);
  int n = 0;
  for (size_t i = 0; i + 2 < a.size(); i += 3)
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++n;
  return n;
}

std::string artefactDir() {
  const std::string dir = std::string(testpaths::binaryDir()) + "/test-artifacts/driver_keys";
  fs::create_directories(dir);
  return dir;
}

struct DriverRun {
  XvfbSession x;
  TempDir dir;
  std::string window;

  bool start() {
    if (!x.ok()) return false;
    linkDemoData(dir);
    if (!x.startProgram(driverPath(), dir.path, {})) return false;
    window = x.waitForProgramWindow(15000);
    return !window.empty();
  }

  bool startShowingFirstLevel() {
    return start() && x.waitForWindowName(window, expectedLevel(dir.path, 0).title, 10000);
  }
};

}  // namespace

TEST(DriverKeys, LevelKeysStepWithTheRightTitles) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverRun run;
  ASSERT_TRUE(run.start()) << run.x.error() << run.x.programOutput();
  const std::string data = run.dir.path;
  const std::string title0 = expectedLevel(data, 0).title;
  const std::string title1 = expectedLevel(data, 1).title;
  const std::string title2 = expectedLevel(data, 2).title;
  ASSERT_FALSE(title0.empty());

  EXPECT_TRUE(run.x.waitForWindowName(run.window, title0, 10000)) << run.x.windowName(run.window);
  run.x.key(run.window, "Right");
  EXPECT_TRUE(run.x.waitForWindowName(run.window, title1, 10000)) << run.x.windowName(run.window);
  run.x.key(run.window, "Right");
  EXPECT_TRUE(run.x.waitForWindowName(run.window, title2, 10000)) << run.x.windowName(run.window);
  run.x.key(run.window, "Left");
  EXPECT_TRUE(run.x.waitForWindowName(run.window, title1, 10000)) << run.x.windowName(run.window);

  const ProgramStatus status = run.x.stopProgram(5000);
  EXPECT_FALSE(status.timedOut);
}

TEST(DriverKeys, SaveWritesTheWriterImageOfTheCurrentLevel) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverRun run;
  ASSERT_TRUE(run.start()) << run.x.error() << run.x.programOutput();
  const ExpectedLevel level1 = expectedLevel(run.dir.path, 1);
  ASSERT_EQ(level1.image.size(), LevelFileSize);

  run.x.key(run.window, "Right");
  ASSERT_TRUE(run.x.waitForWindowName(run.window, level1.title, 10000));
  run.x.key(run.window, "Up");  // zoom and the alternate view do not change what is saved
  run.x.key(run.window, "BackSpace");
  run.x.key(run.window, "s");
  const std::string saved = run.dir.file("LEVEL___.DAT");
  for (int i = 0; i < 100 && !fileExists(saved); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(readFileBytes(saved), level1.image);
  EXPECT_EQ(run.x.windowName(run.window), level1.title);
  EXPECT_TRUE(run.x.programRunning());
}

TEST(DriverKeys, FailedSaveIsShownInTheTitleUntilASaveSucceeds) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverRun run;
  ASSERT_TRUE(run.start()) << run.x.error() << run.x.programOutput();
  const std::string title = expectedLevel(run.dir.path, 0).title;
  ASSERT_TRUE(run.x.waitForWindowName(run.window, title, 10000));
  const std::string saved = run.dir.file("LEVEL___.DAT");
  fs::create_directory(saved);  // nothing can replace a directory with a file

  run.x.key(run.window, "s");
  std::string shown;
  for (int i = 0; i < 100; ++i) {
    shown = run.x.windowName(run.window);
    if (shown != title) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(shown.rfind(title + " (not saved: ", 0), 0u) << shown;
  EXPECT_NE(run.x.programOutput().find("LEVEL___.DAT not saved: "), std::string::npos)
      << run.x.programOutput();
  EXPECT_TRUE(fs::is_directory(saved));

  fs::remove(saved);
  run.x.key(run.window, "s");
  EXPECT_TRUE(run.x.waitForWindowName(run.window, title, 5000)) << run.x.windowName(run.window);
  EXPECT_EQ(readFileBytes(saved), expectedLevel(run.dir.path, 0).image);
}

// Screenshot of the whole screen, also kept as a test artefact.
Picture shot(DriverRun& run, const char* name) {
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::string file = artefactDir() + "/" + name + ".ppm";
  EXPECT_TRUE(run.x.screenshot(file));
  return readPpm(file);
}

TEST(DriverKeys, DigitKeysSwitchTheItemBar) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverRun run;
  ASSERT_TRUE(run.startShowingFirstLevel()) << run.x.error() << run.x.programOutput();
  const WindowGeometry g = run.x.windowGeometry(run.window);
  ASSERT_TRUE(g.valid);
  run.x.mouseMove(run.window, g.width / 2, 10);  // keep the pointer off the bar: no hover tint

  auto barAfter = [&](const char* key, const char* name) {
    if (key) run.x.key(run.window, key);
    return region(shot(run, name), g.x, g.y + g.height - 92, g.width, 92);
  };
  const std::vector<uint8_t> terrain = barAfter(nullptr, "bar_terrain");
  const std::vector<uint8_t> objects = barAfter("1", "bar_objects");
  const std::vector<uint8_t> terrainAgain = barAfter("2", "bar_terrain_again");
  ASSERT_FALSE(terrain.empty());
  EXPECT_NE(objects, terrain);
  EXPECT_EQ(terrainAgain, terrain);  // terrain thumbnails do not animate
}

TEST(DriverItemBar, ThumbAndArrowScrollTheStrip) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverRun run;
  ASSERT_TRUE(run.startShowingFirstLevel()) << run.x.error() << run.x.programOutput();
  const WindowGeometry g = run.x.windowGeometry(run.window);
  ASSERT_TRUE(g.valid);
  const int cellsY = g.y + g.height - 85;  // the 64 rows of cells
  const int barY = g.height - 10;          // client row through the scroll bar

  // Dragging the thumb (at the start of the track) far past the end pins it
  // against the forward button.
  run.x.mouseMove(run.window, 2 + 16 + 4, barY);
  run.x.mouseDown(1);
  run.x.mouseMove(run.window, g.width / 2, barY);
  run.x.mouseMove(run.window, g.width + 200, barY);
  run.x.mouseUp(1);
  run.x.mouseMove(run.window, g.width / 2, 10);
  const Picture end = shot(run, "strip_thumb_at_end");
  EXPECT_EQ(region(end, g.x + g.width - 2 - 16 - 10, g.y + barY, 1, 1), (std::vector<uint8_t>{191, 191, 191}));
  EXPECT_EQ(region(end, g.x + 2 + 16 + 3, g.y + barY, 1, 1), (std::vector<uint8_t>{223, 223, 223}));

  // One click on the back arrow scrolls by one cell: what stood in the first
  // cell now stands in the second. Thumbnails scaled down may differ in a few
  // edge texels at another screen position, so the match is near, not exact.
  run.x.mouseMove(run.window, 2 + 8, barY);
  run.x.click(1);
  run.x.mouseMove(run.window, g.width / 2, 10);
  const Picture back = shot(run, "strip_after_back_arrow");
  const std::vector<uint8_t> was = region(end, g.x + 6, cellsY, 68 * 6, 64);
  ASSERT_FALSE(was.empty());
  const int pixels = 68 * 6 * 64;
  EXPECT_LT(differingPixels(region(back, g.x + 74, cellsY, 68 * 6, 64), was), pixels / 50);
  EXPECT_GT(differingPixels(region(back, g.x + 6, cellsY, 68 * 6, 64), was), pixels / 10);
}
