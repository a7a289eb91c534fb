// The real driver under a private X server, edited with the mouse through
// XTEST: placing stretched copies, band selection and deletion, resizing by an
// edge and moving the start view, each checked in the saved LEVEL___.DAT.
//
// Each run starts on a level written here with the project's writer (style 1,
// so edges resize in both directions) beside the demo styles.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/level.h"
#include "data/level_writer.h"
#include "support/driver_edit_run.h"
#include "support/paths.h"

namespace {

constexpr int TestStyle = 1;

int u16At(const std::vector<uint8_t>& file, size_t offset) { return file[offset] | (file[offset + 1] << 8); }

// Block number of level cell (column, row) in a saved file, from its width class.
int savedBlock(const std::vector<uint8_t>& file, int column, int row) {
  const int k = LevelWidthClassColumns[u16At(file, LevelWidthClassOffset)];
  const size_t block = levelMapCellOffset(levelMapCell(k, column, row)) + 2;  // after the flag word
  return (file[block] << 8) | file[block + 1];
}

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

}  // namespace

TEST(DriverEdit, PieceFromTheBarStretchedIntoCopiesIsSavedCellByCell) {
  SKIP_WITHOUT_DEMO_DATA();
  BoundStyle bound(TestStyle);
  ASSERT_TRUE(bound.ok);
  ASSERT_GE(bound.style.pieceCount, 2u) << "the bar's first cell shows piece 1";
  const BlockPattern& piece = bound.style.pieces[1];
  const int w = static_cast<int>(piece.width), h = static_cast<int>(piece.height);

  DriverEditRun run;
  const LevelDescription description = smallLevel(20, 20);
  ASSERT_TRUE(run.start({description})) << run.x.error() << run.x.programOutput();
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
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallLevel(20, 20)})) << run.x.error() << run.x.programOutput();

  run.move(run.originX - 40, run.originY - 20);  // in the margin, clear of the edge zones
  run.press(1);
  run.move(run.originX + 20 * 16 + 40, run.originY + 20 * 8 + 30);
  run.release(1);
  run.x.key(run.window, "Delete");
  DriverEditRun::pause();
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
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallLevel(20, 20)})) << run.x.error() << run.x.programOutput();

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
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallLevel(30, 24)})) << run.x.error() << run.x.programOutput();

  run.move(run.originX + 40, run.originY + 40);
  run.x.keyDown(run.window, "space");
  DriverEditRun::pause();
  run.press(1);
  run.move(run.originX + 40 + 5 * 16, run.originY + 40 + 2 * 8);
  run.release(1);
  run.x.keyUp(run.window, "space");
  DriverEditRun::pause();
  const std::vector<uint8_t> saved = run.save();
  ASSERT_EQ(saved.size(), LevelFileSize) << run.x.programOutput();

  EXPECT_EQ(u16At(saved, 74), 5 * 16);
  EXPECT_EQ(u16At(saved, 76), 2 * 8);
  EXPECT_EQ(savedBlock(saved, 5, 10), 2) << "the terrain stays where it was";
}
