#include "data/level_writer.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "data/byte_order.h"
#include "data/failure.h"
#include "support/files.h"
#include "support/level_fixtures.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes build(const Level& level) {
  Bytes image(LevelFileSize, 0xCD);
  if (buildLevelImage(level, image.data()) != 0) return {};
  return image;
}

Bytes build(const LevelDescription& d) {
  Level level{};
  fillLevel(d, &level);
  return build(level);
}

uint16_t u16le(const Bytes& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint16_t u16be(const Bytes& b, size_t at) { return uint16_t(b[at] << 8 | b[at + 1]); }

// Block number of level cell (col, row) in an image of K columns.
uint16_t blockAt(const Bytes& image, int k, int col, int row) {
  return u16be(image, 116 + 4 * size_t((row + 2) * (k + 2) + col + 1) + 2);
}

LevelObject* addPiece(Level* level, const int32_t* cells, int32_t x, int32_t y, uint32_t w, uint32_t h,
                      uint32_t acrossExtra, uint32_t downExtra) {
  LevelObject* p = addObject(ObjectKindTerrainPiece, 0, x, y, acrossExtra, downExtra, level);
  p->cells = cells;
  p->width = w;
  p->height = h;
  p->flags = 0x4000;
  return p;
}

LevelObject* addThing(Level* level, int32_t x, int32_t y, uint32_t kind = 5) {
  LevelObject* o = addObject(kind, 3, x, y, 1, 2, level);
  o->shiftX = o->shiftY = 0;
  return o;
}

}  // namespace

TEST(LevelWriter, ContainerAndHeaderBytes) {
  LevelDescription d;
  d.name = std::string("ABCDEFGHIJKLMNOPQRSTUVWX");
  d.releaseRate = -1;
  d.skillCount[0] = 0x1FF;
  d.startX = 3;
  d.startY = 5;
  d.height = 20;
  Bytes image = build(d);
  ASSERT_EQ(image.size(), LevelFileSize);
  const std::pair<size_t, const char*> ids[] = {{0, "FORM"}, {8, "QXLV"}, {12, "QXLH"},
                                                {94, "QXMH"}, {108, "QXMP"}, {8000, "QXBO"}};
  for (auto [at, id] : ids) EXPECT_EQ(std::memcmp(image.data() + at, id, 4), 0) << id;
  EXPECT_EQ(Bytes(image.begin() + 4, image.begin() + 8), (Bytes{0, 0, 0x21, 0xC0}));
  EXPECT_EQ(image[19], 74);
  EXPECT_EQ(image[101], 6);
  EXPECT_EQ(u16be(image, 114), 7884);
  EXPECT_EQ(u16be(image, 8006), 640);
  EXPECT_EQ(std::memcmp(image.data() + 20, d.name.data(), 24), 0);
  EXPECT_EQ(image[60], 0xFF);  // low byte of the count
  EXPECT_EQ(u16le(image, 74), 48);
  EXPECT_EQ(u16le(image, 76), 40);
  EXPECT_EQ(u16le(image, 78), 0);
  EXPECT_EQ(u16le(image, 80), 0);
  EXPECT_EQ(u16le(image, 82), 0);  // 20 x 20 level
  EXPECT_EQ(u16le(image, 84), 0);
  EXPECT_EQ(u16le(image, 88), 0xFFFF);
  EXPECT_EQ(Bytes(image.begin() + 8008, image.end()), Bytes(640, 0xFF));  // no objects
}

TEST(LevelWriter, SmallestWidthClassThatHoldsTheLevel) {
  const std::pair<int, int> cases[] = {{1, 6}, {20, 6}, {21, 5}, {24, 5}, {25, 4}, {50, 2}, {79, 0}, {80, 0}};
  for (auto [width, widthClass] : cases) {
    LevelDescription d;
    d.width = width;
    d.height = 10;
    Bytes image = build(d);
    ASSERT_FALSE(image.empty()) << width;
    EXPECT_EQ(u16le(image, 104), widthClass) << width;
  }
}

TEST(LevelWriter, TerrainOutsideTheLevelIsLeftOut) {
  LevelDescription d;
  d.width = 20;
  d.height = 10;
  d.cells = {{-1, 0, 5}, {20, 0, 6}, {0, -1, 7}, {0, 10, 8}, {19, 9, 9}, {19, 9, 10, 0x4000}};
  Bytes image = build(d);
  ASSERT_FALSE(image.empty());
  size_t nonEmpty = 0;
  for (size_t cell = 0; cell < size_t(LevelMapCells); ++cell) nonEmpty += u16be(image, 116 + 4 * cell + 2) != 0;
  EXPECT_EQ(nonEmpty, 1u);
  EXPECT_EQ(blockAt(image, 20, 19, 9), 10);  // the later element wins
  EXPECT_EQ(u16be(image, 116 + 4 * size_t(11 * 22 + 20)), 0x4000);
}

TEST(LevelWriter, PiecesRepeatOverCellsAndSkipZeroCells) {
  Level level{};
  fillLevel({}, &level);
  addObject(ObjectKindTerrainCell, 9, 4, 0, 0, 0, &level)->flags = 0;
  static const int32_t pieceCells[2] = {5, 0};
  addPiece(&level, pieceCells, 3, 0, 4, 1, 1, 0);
  addObject(ObjectKindTerrainCell, 8, 3, 1, 0, 0, &level)->flags = 0;  // pieces go on top regardless of order
  static const int32_t over[1] = {6};
  addPiece(&level, over, 3, 1, 1, 1, 0, 0);
  Bytes image = build(level);
  ASSERT_FALSE(image.empty());
  EXPECT_EQ(blockAt(image, 20, 3, 0), 5);
  EXPECT_EQ(blockAt(image, 20, 4, 0), 9);
  EXPECT_EQ(blockAt(image, 20, 5, 0), 5);
  EXPECT_EQ(blockAt(image, 20, 6, 0), 0);
  EXPECT_EQ(blockAt(image, 20, 3, 1), 6);
  EXPECT_EQ(u16be(image, 116 + 4 * size_t(2 * 22 + 4)), 0x4000);  // the piece's flags
}

TEST(LevelWriter, PieceCroppedAtTheLevelEdges) {
  Level level{};
  LevelDescription d;
  d.height = 5;
  fillLevel(d, &level);
  static const int32_t cells[4] = {1, 2, 3, 4};  // 2 x 2 tile
  addPiece(&level, cells, -1, -1, 2 * 20, 2 * 10, 19, 9);  // repeated far past the level
  Bytes image = build(level);
  ASSERT_FALSE(image.empty());
  EXPECT_EQ(blockAt(image, 20, 0, 0), 4);  // tile (1, 1)
  EXPECT_EQ(blockAt(image, 20, 1, 0), 3);
  EXPECT_EQ(blockAt(image, 20, 0, 1), 2);
  EXPECT_EQ(blockAt(image, 20, 19, 4), 3);
  EXPECT_EQ(blockAt(image, 20, 0, 5), 0);  // below the level: not written
}

TEST(LevelWriter, ObjectsFromMinusOneAndMinusTwoWithTheirShift) {
  Level level{};
  fillLevel({}, &level);
  addThing(&level, -1, -2);
  addThing(&level, -2, 0);   // left out
  addThing(&level, 0, -3);   // left out
  addThing(&level, 20, 0);   // left out
  LevelObject* shifted = addThing(&level, 2, 3, 3);
  shifted->shiftX = 1;
  shifted->shiftY = -1;
  addThing(&level, 0, 0);
  Bytes image = build(level);
  ASSERT_FALSE(image.empty());
  EXPECT_EQ(Bytes(image.begin() + 8008, image.begin() + 8018), (Bytes{3, 0, 0, 0, 0, 0, 1, 0, 2, 0}));
  EXPECT_EQ(u16le(image, 8020), 16 * 1 + 16);
  EXPECT_EQ(u16le(image, 8022), 8 * 4 + 16);
  EXPECT_EQ(u16le(image, 8030), 16);
  EXPECT_EQ(u16le(image, 8032), 16);
  EXPECT_EQ(Bytes(image.begin() + 8038, image.end()), Bytes(640 - 30, 0xFF));
}

TEST(LevelWriter, RefusesWhatTheFileCannotHoldAndLeavesTheImage) {
  Bytes image(LevelFileSize, 0xCD);
  Level level{};
  LevelDescription wide;
  wide.width = 81;
  fillLevel(wide, &level);
  EXPECT_EQ(buildLevelImage(level, image.data()), 1);
  EXPECT_STREQ(failureReason(), "level is wider than 80 blocks");

  fillLevel({}, &level);
  for (int i = 0; i < 65; ++i) addThing(&level, i % 20, 0);
  EXPECT_EQ(buildLevelImage(level, image.data()), 1);
  removeObject(level.lastObject, &level);
  addThing(&level, 25, 0);  // does not qualify, so 64 records remain
  EXPECT_EQ(buildLevelImage(level, image.data()), 0);

  LevelDescription tall;
  tall.height = 88;  // K = 20 holds 87 rows
  tall.cells = {{19, 86, 1}};
  fillLevel(tall, &level);
  image.assign(LevelFileSize, 0xCD);
  EXPECT_EQ(buildLevelImage(level, image.data()), 0);
  addObject(ObjectKindTerrainCell, 1, 19, 87, 0, 0, &level);  // map cell 1978
  EXPECT_EQ(buildLevelImage(level, image.data()), 1);
  fillLevel(tall, &level);
  static const int32_t zeroBelow[2] = {1, 0};  // a zero cell past the map writes nothing
  addPiece(&level, zeroBelow, 19, 86, 1, 2, 0, 0);
  EXPECT_EQ(buildLevelImage(level, image.data()), 0);
  static const int32_t blockBelow[2] = {0, 1};
  addPiece(&level, blockBelow, 19, 86, 1, 2, 0, 0);
  image.assign(LevelFileSize, 0xCD);
  EXPECT_EQ(buildLevelImage(level, image.data()), 1);
  EXPECT_EQ(image, Bytes(LevelFileSize, 0xCD));

  tall.height = 95;
  tall.cells = {};
  fillLevel(tall, &level);
  static const int32_t oneBlock[1] = {1};
  addPiece(&level, oneBlock, 0, 90, 1, 1, 0, 0);  // wholly below the map's last row
  EXPECT_EQ(buildLevelImage(level, image.data()), 1);
}

TEST(LevelWriter, SaveReplacesTheFileAtomically) {
  TempDir dir;
  std::string path = dir.file("LEVEL___.DAT");
  Level level{};
  LevelDescription d;
  d.cells = {{1, 1, 2}};
  fillLevel(d, &level);
  ASSERT_EQ(saveLevel(path.c_str(), level), 0);
  Bytes saved = readFileBytes(path);
  EXPECT_EQ(saved, build(level));

  // A refused save leaves the old file byte for byte and no temporary file.
  level.width = 81;
  EXPECT_NE(saveLevel(path.c_str(), level), 0);
  EXPECT_EQ(readFileBytes(path), saved);

  // A target that cannot be replaced (a directory) fails and cleans up.
  level.width = 20;
  std::string blocked = dir.file("blocked");
  ASSERT_EQ(saveLevel((blocked + "/x").c_str(), level), 1);  // directory missing
  ::mkdir(blocked.c_str(), 0755);
  writeFileBytes(blocked + "/keep", {1});
  EXPECT_EQ(saveLevel(blocked.c_str(), level), 1);

  std::vector<std::string> names;
  DIR* listing = opendir(dir.path.c_str());
  while (dirent* entry = readdir(listing))
    if (entry->d_name[0] != '.') names.push_back(entry->d_name);
  closedir(listing);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"LEVEL___.DAT", "blocked"}));
}

// Random storable levels: what the reader gives back is what the writer
// promises to keep.
TEST(LevelWriter, RandomLevelsRoundTripThroughTheReader) {
  static const int maxRows[LevelWidthClasses] = {22, 27, 35, 44, 56, 73, 87};
  std::mt19937 rng(20261207);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  static int32_t pieceCells[16];

  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    Level level{};
    LevelDescription d;
    // The limits words only round-trip from 20 x 20 up (smaller extents wrap).
    d.width = pick(20, 80);
    int widthClass = LevelWidthClasses - 1;
    while (LevelWidthClassColumns[widthClass] < d.width) --widthClass;
    d.height = pick(20, maxRows[widthClass]);
    d.name.clear();
    for (int i = 0; i < 24; ++i) d.name.push_back(char(pick(1, 255)));
    d.style = pick(0, 11);
    d.startX = pick(0, 60);
    d.startY = pick(0, 60);
    d.timeMinutes = pick(0, 300);
    d.timeSeconds = pick(0, 300);
    d.releaseRate = pick(-200, 40000);
    d.keptWord = uint32_t(pick(0, 0xFFFF));
    for (int i = 0; i < 8; ++i) d.skillCode[i] = pick(0, 1000), d.skillCount[i] = pick(0, 255);
    for (int n = pick(0, 300); n > 0; --n)
      d.cells.push_back({pick(-2, d.width + 1), pick(-2, d.height + 1), uint32_t(pick(0, 0xFFFF)),
                         uint32_t(pick(0, 1) * 0x4000)});
    fillLevel(d, &level);
    for (int& c : pieceCells) c = pick(0, 3) ? pick(1, 0xFFFF) : 0;
    for (int n = pick(0, 4); n > 0; --n) {
      uint32_t w = uint32_t(pick(1, 4)), h = uint32_t(pick(1, 4));
      uint32_t across = uint32_t(pick(0, 3)), down = uint32_t(pick(0, 3));
      addPiece(&level, pieceCells, pick(-5, d.width), pick(-5, d.height), w * (across + 1), h * (down + 1),
               across, down)->flags = uint32_t(pick(0, 1) * 0x4000);
    }
    for (int n = pick(0, 64); n > 0; --n) {
      LevelObject* o = addObject(uint32_t(pick(3, 9)), uint32_t(pick(0, 0xFFFE)), pick(-3, d.width),
                                 pick(-4, d.height), uint32_t(pick(0, 0xFFFF)), uint32_t(pick(0, 0xFFFF)), &level);
      o->shiftX = pick(0, 2);
      o->shiftY = pick(-1, 1);
    }

    // The map and object records the writer should produce.
    std::map<std::pair<int, int>, std::pair<uint32_t, uint32_t>> grid;  // (row, col) -> block, flags
    std::vector<const LevelObject*> records;
    for (const LevelObject* e = level.firstObject; e; e = e->next)
      if (e->kind == ObjectKindTerrainCell && e->x >= 0 && e->x < d.width && e->y >= 0 && e->y < d.height)
        grid[{e->y, e->x}] = {e->value, e->flags};
    for (const LevelObject* e = level.firstObject; e; e = e->next) {
      if (e->kind != ObjectKindTerrainPiece) continue;
      uint32_t tw = e->width / (e->paramA + 1), th = e->height / (e->paramB + 1);
      for (uint32_t ry = 0; ry <= e->paramB; ++ry)
        for (uint32_t rx = 0; rx <= e->paramA; ++rx)
          for (uint32_t cy = 0; cy < th; ++cy)
            for (uint32_t cx = 0; cx < tw; ++cx) {
              int X = e->x + int(rx * tw + cx), Y = e->y + int(ry * th + cy);
              int32_t v = e->cells[cy * tw + cx];
              if (X >= 0 && X < d.width && Y >= 0 && Y < d.height && v != 0) grid[{Y, X}] = {uint32_t(v), e->flags};
            }
    }
    for (const LevelObject* e = level.firstObject; e; e = e->next)
      if (e->kind > 2 && e->x >= -1 && e->x < d.width && e->y >= -2 && e->y < d.height) records.push_back(e);

    Bytes image = build(level);
    ASSERT_EQ(image.size(), LevelFileSize);
    Level back{};
    ASSERT_EQ(parseLevel(image.data(), image.size(), &back), 0);

    EXPECT_EQ(std::memcmp(back.name, d.name.data(), 24), 0);
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(back.skillCode[i], d.skillCode[i] & 0xFF);
      EXPECT_EQ(back.skillCount[i], d.skillCount[i]);
    }
    EXPECT_EQ(back.timeMinutes, d.timeMinutes & 0xFF);
    EXPECT_EQ(back.timeSeconds, d.timeSeconds & 0xFF);
    int32_t rate = d.releaseRate & 0xFFFF;
    EXPECT_EQ(back.releaseRate, rate > 16383 ? rate - 65536 : rate);
    EXPECT_EQ(back.style, d.style);
    EXPECT_EQ(back.startX, d.startX);
    EXPECT_EQ(back.startY, d.startY);
    EXPECT_EQ(back.width, d.width);
    EXPECT_EQ(back.height, d.height);
    EXPECT_EQ(back.keptWord, d.keptWord);

    const LevelObject* e = back.firstObject;
    for (auto& [at, cell] : grid) {
      if (cell.first == 0) continue;  // an empty cell reads as nothing
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(e->kind, uint32_t(ObjectKindTerrainCell));
      EXPECT_EQ(e->y, at.first);
      EXPECT_EQ(e->x, at.second);
      EXPECT_EQ(e->value, cell.first);
      EXPECT_EQ(e->paramA, cell.second);
      e = e->next;
    }
    for (const LevelObject* want : records) {
      ASSERT_NE(e, nullptr);
      EXPECT_EQ(e->kind, uint32_t(ObjectKindObject));
      EXPECT_EQ(e->value, want->value);
      EXPECT_EQ(e->paramA, want->paramA);
      EXPECT_EQ(e->paramB, want->paramB);
      EXPECT_EQ(e->x, want->x - want->shiftX);
      EXPECT_EQ(e->y, want->y - want->shiftY);
      e = e->next;
    }
    EXPECT_EQ(e, nullptr);
  }
}
