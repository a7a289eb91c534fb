// The real driver under a private X server, edited with the mouse through
// XTEST: placing stretched copies, band selection and deletion, resizing by an
// edge and moving the start view, each checked in the saved LEVEL___.DAT.
//
// Each run starts on a level written here with the project's writer (style 1,
// so edges resize in both directions) beside the demo styles.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "data/bind.h"
#include "data/level.h"
#include "data/level_writer.h"
#include "data/style.h"
#include "support/files.h"
#include "support/level_fixtures.h"
#include "support/paths.h"
#include "support/xvfb_session.h"

namespace fs = std::filesystem;

namespace {

constexpr int TestStyle = 1;

std::string driverPath() { return std::string(testpaths::binaryDir()) + "/driver/driver"; }

bool demoStylesPresent() { return fs::is_directory(fs::path(testpaths::demoDir()) / "STYLES"); }

int u16At(const std::vector<uint8_t>& file, size_t offset) { return file[offset] | (file[offset + 1] << 8); }

// Block number of level cell (column, row) in a saved file, from its width class.
int savedBlock(const std::vector<uint8_t>& file, int column, int row) {
  const int k = LevelWidthClassColumns[u16At(file, LevelWidthClassOffset)];
  const size_t block = levelMapCellOffset(levelMapCell(k, column, row)) + 2;  // after the flag word
  return (file[block] << 8) | file[block + 1];
}

// The style as the driver binds it, read from the demo data.
struct BoundStyle {
  Style style{};
  bool ok = false;
  BoundStyle() {
    InDir cwd(testpaths::demoDir());
    ok = loadStyle(TestStyle, &style) == 0;
  }
  ~BoundStyle() { freeStyle(&style); }
};

struct EditRun {
  XvfbSession x;
  TempDir dir;
  std::string window;
  WindowGeometry geometry;
  int originX = 0, originY = 0;  // client pixel of the level's top-left at zoom 1

  bool start(const LevelDescription& level) {
    if (!x.ok()) return false;
    fs::create_directory_symlink(fs::path(testpaths::demoDir()) / "STYLES", fs::path(dir.path) / "STYLES");
    fs::create_directory(fs::path(dir.path) / "LEVELS");
    const std::vector<uint8_t> image = makeLevelImage(level);
    if (image.empty()) return false;
    writeFileBytes(dir.file("LEVELS/LEVEL000.DAT"), image);
    if (!x.startProgram(driverPath(), dir.path, {})) return false;
    window = x.waitForProgramWindow(15000);
    if (window.empty()) return false;
    geometry = x.windowGeometry(window);
    if (!geometry.valid) return false;
    // A freshly loaded level is centred at zoom 1 above the 92-pixel item bar.
    originX = geometry.width / 2 - level.width * 8;
    originY = geometry.height / 2 - 39 - level.height * 4;
    pause();
    return true;
  }

  // Lets the driver's loop take each input in turn.
  static void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(60)); }
  void move(int cx, int cy) {
    x.mouseMove(window, cx, cy);
    pause();
  }
  void press(int button) {
    x.mouseDown(button);
    pause();
  }
  void release(int button) {
    x.mouseUp(button);
    pause();
  }

  std::vector<uint8_t> save() {
    const std::string path = dir.file("LEVEL___.DAT");
    x.key(window, "s");
    for (int i = 0; i < 200 && !fileExists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return readFileBytes(path);
  }

  // The level as the driver holds it right after loading.
  void loadExpected(Level* level, Style* style) {
    loadLevel(dir.file("LEVELS/LEVEL000.DAT").c_str(), level);
    bindLevelToStyle(style, level);
  }
};

LevelDescription smallLevel(int width, int height) {
  LevelDescription d;
  d.name = "Mouse edits";
  d.style = TestStyle;
  d.width = width;
  d.height = height;
  d.cells = {{0, 0, 1}, {5, 10, 2, 0x4000}, {width - 1, height - 1, 3}};
  d.objects = {{0, 8, 8}};
  return d;
}

#define SKIP_WITHOUT_DEMO_STYLES()                                                 \
  do {                                                                             \
    if (!demoStylesPresent()) GTEST_SKIP() << "no demo styles in " << testpaths::demoDir(); \
  } while (0)

}  // namespace

TEST(DriverEdit, PieceFromTheBarStretchedIntoCopiesIsSavedCellByCell) {
  SKIP_WITHOUT_DEMO_STYLES();
  BoundStyle bound;
  ASSERT_TRUE(bound.ok);
  ASSERT_GE(bound.style.pieceCount, 2u) << "the bar's first cell shows piece 1";
  const BlockPattern& piece = bound.style.pieces[1];
  const int w = static_cast<int>(piece.width), h = static_cast<int>(piece.height);

  EditRun run;
  const LevelDescription description = smallLevel(20, 20);
  ASSERT_TRUE(run.start(description)) << run.x.error() << run.x.programOutput();
  const int barTop = run.geometry.height - 92;

  run.move(38, barTop + 32);  // first cell of the bar
  run.press(1);
  run.release(1);
  const int pressX = run.originX + 2 * 16 + 1, pressY = run.originY + 3 * 8 + 1;
  run.move(pressX, pressY);
  run.press(1);
  run.move(pressX + 2 * w * 16, pressY);  // two more whole pieces: three copies
  run.release(1);
  const std::vector<uint8_t> saved = run.save();
  ASSERT_EQ(saved.size(), LevelFileSize) << run.x.programOutput();

  for (int copy = 0; copy < 3; ++copy) {
    for (int cy = 0; cy < h; ++cy) {
      for (int cx = 0; cx < w; ++cx) {
        const int column = 2 + copy * w + cx, row = 3 + cy;
        const int value = piece.cells[static_cast<size_t>(cy * w + cx)];
        if (column >= 20 || row >= 20 || value == 0) continue;
        EXPECT_EQ(savedBlock(saved, column, row), value) << "copy " << copy << " cell " << cx << "," << cy;
      }
    }
  }

  // The whole file is what the writer makes of the loaded level plus the piece.
  Level expected;
  run.loadExpected(&expected, &bound.style);
  LevelObject* added = addObject(ObjectKindTerrainPiece, 1, 2, 3, 2, 0, &expected);
  ASSERT_NE(added, nullptr);
  added->width = static_cast<uint32_t>(3 * w);
  added->height = static_cast<uint32_t>(h);
  added->cells = piece.cells.data();
  added->flags = 0;
  added->shiftX = added->shiftY = 0;
  std::vector<uint8_t> image(LevelFileSize);
  ASSERT_EQ(buildLevelImage(expected, image.data()), 0);
  EXPECT_EQ(saved, image);
}

TEST(DriverEdit, BandOverEverythingThenDeleteSavesAnEmptyLevel) {
  SKIP_WITHOUT_DEMO_STYLES();
  EditRun run;
  ASSERT_TRUE(run.start(smallLevel(20, 20))) << run.x.error() << run.x.programOutput();

  run.move(run.originX - 40, run.originY - 20);  // in the margin, clear of the edge zones
  run.press(1);
  run.move(run.originX + 20 * 16 + 40, run.originY + 20 * 8 + 30);
  run.release(1);
  run.x.key(run.window, "Delete");
  EditRun::pause();
  const std::vector<uint8_t> saved = run.save();
  ASSERT_EQ(saved.size(), LevelFileSize) << run.x.programOutput();

  int terrain = 0;
  for (int row = 0; row < 20; ++row)
    for (int column = 0; column < 20; ++column) terrain += savedBlock(saved, column, row) != 0;
  EXPECT_EQ(terrain, 0);
  EXPECT_EQ(std::vector<uint8_t>(saved.begin() + 8008, saved.end()), std::vector<uint8_t>(640, 0xFF))
      << "no object records";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&saved[20]), 11), "Mouse edits");
}

TEST(DriverEdit, DraggingTheRightEdgeOutWidensTheSavedLevel) {
  SKIP_WITHOUT_DEMO_STYLES();
  EditRun run;
  ASSERT_TRUE(run.start(smallLevel(20, 20))) << run.x.error() << run.x.programOutput();

  const int edgeX = run.originX + 20 * 16, y = run.originY + 60;
  run.move(edgeX, y);
  run.press(1);
  run.move(edgeX + 5 * 16, y);
  run.release(1);
  const std::vector<uint8_t> saved = run.save();
  ASSERT_EQ(saved.size(), LevelFileSize) << run.x.programOutput();

  EXPECT_EQ(u16At(saved, 82), (25 - 20) * 16) << "right limit of the start view";
  EXPECT_EQ(u16At(saved, 104), 4) << "the 32-block width class holds 25 blocks";
  EXPECT_EQ(u16At(saved, 84), 20 * 8 - 160) << "height unchanged";
  EXPECT_EQ(savedBlock(saved, 19, 19), 3) << "a right-edge resize moves nothing";
}

TEST(DriverEdit, StartViewMovedWithSpaceHeldIsSaved) {
  SKIP_WITHOUT_DEMO_STYLES();
  EditRun run;
  ASSERT_TRUE(run.start(smallLevel(30, 24))) << run.x.error() << run.x.programOutput();

  run.move(run.originX + 40, run.originY + 40);
  run.x.keyDown(run.window, "space");
  EditRun::pause();
  run.press(1);
  run.move(run.originX + 40 + 5 * 16, run.originY + 40 + 2 * 8);
  run.release(1);
  run.x.keyUp(run.window, "space");
  EditRun::pause();
  const std::vector<uint8_t> saved = run.save();
  ASSERT_EQ(saved.size(), LevelFileSize) << run.x.programOutput();

  EXPECT_EQ(u16At(saved, 74), 5 * 16);
  EXPECT_EQ(u16At(saved, 76), 2 * 8);
  EXPECT_EQ(savedBlock(saved, 5, 10), 2) << "the terrain stays where it was";
}
