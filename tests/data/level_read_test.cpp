#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "compress/gscm_compress.h"
#include "data/byte_order.h"
#include "data/failure.h"
#include "data/level_source.h"
#include "support/files.h"
#include "support/level_fixtures.h"

namespace {

using Bytes = std::vector<uint8_t>;

int parse(const Bytes& image, Level* level) { return parseLevel(image.data(), image.size(), level); }

Bytes plainLevel() {
  LevelDescription d;
  d.cells = {{0, 0, 3}, {5, 1, 7, 0x4000}};
  d.objects = {{2, 4, 6, 1, 2}};
  return makeLevelImage(d);
}

// Fills a level with a recognisable state so refusals can prove it untouched.
void loadMarker(Level* level) {
  LevelDescription d;
  d.name = "marker";
  d.cells = {{1, 1, 9}};
  ASSERT_EQ(parse(makeLevelImage(d), level), 0);
}

void expectMarker(const Level& level) {
  EXPECT_STREQ(level.name, "marker");
  ASSERT_EQ(level.objectCount, 1u);
  EXPECT_EQ(level.firstObject->value, 9u);
}

void setRecord(Bytes* image, int n, uint16_t type, int16_t xPixels, int16_t yPixels) {
  size_t at = 8008 + 10 * size_t(n);
  putU16LE(image->data(), at, type);
  putU16LE(image->data(), at + 2, uint16_t(xPixels));
  putU16LE(image->data(), at + 4, uint16_t(yPixels));
  putU16LE(image->data(), at + 6, 0);
  putU16LE(image->data(), at + 8, 0);
}

}  // namespace

TEST(LevelRead, HeaderFieldsComeFromTheirOffsets) {
  LevelDescription d;
  d.name = "Twenty-four bytes long!!";  // no zero inside the 24 bytes
  d.style = 7;
  d.width = 45;
  d.height = 30;
  d.startX = 12;
  d.startY = 9;
  d.timeMinutes = 3;
  d.timeSeconds = 59;
  d.keptWord = 0xBEEF;
  for (int i = 0; i < 8; ++i) d.skillCode[i] = 0x100 + i, d.skillCount[i] = 20 + i;
  Bytes image = makeLevelImage(d);
  ASSERT_EQ(image.size(), LevelFileSize);
  Level level{};
  ASSERT_EQ(parse(image, &level), 0);
  EXPECT_EQ(std::string(level.name), d.name);
  EXPECT_EQ(level.name[24], 0);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(level.skillCode[i], i);  // low byte only
    EXPECT_EQ(level.skillCount[i], 20 + i);
  }
  EXPECT_EQ(level.timeMinutes, 3);
  EXPECT_EQ(level.timeSeconds, 59);
  EXPECT_EQ(level.style, 7);
  EXPECT_EQ(level.startX, 12);
  EXPECT_EQ(level.startY, 9);
  EXPECT_EQ(level.width, 45);
  EXPECT_EQ(level.height, 30);
  EXPECT_EQ(level.keptWord, 0xBEEFu);
}

TEST(LevelRead, ReleaseRateAbove16383IsNegative) {
  Bytes image = plainLevel();
  Level level{};
  const std::pair<uint16_t, int32_t> cases[] = {{20, 20}, {16383, 16383}, {0x4000, -49152}, {0xFFFF, -1}};
  for (auto [word, expected] : cases) {
    putU16LE(image.data(), 88, word);
    ASSERT_EQ(parse(image, &level), 0);
    EXPECT_EQ(level.releaseRate, expected) << word;
  }
}

TEST(LevelRead, RefusesWrongSizesAndForeignDataLeavingTheLevelUntouched) {
  Level level{};
  loadMarker(&level);
  Bytes image = plainLevel();

  Bytes longer = image;
  longer.push_back(0);
  EXPECT_EQ(parse(longer, &level), 1);
  Bytes shorter(image.begin(), image.end() - 1);
  EXPECT_EQ(parse(shorter, &level), 1);
  Bytes packedShort = gscmCompress(shorter.data(), shorter.size());
  EXPECT_EQ(parse(packedShort, &level), 1);
  EXPECT_STREQ(failureReason(), "wrong length after decompression");
  Bytes damaged = gscmCompress(image.data(), image.size());
  damaged.resize(damaged.size() - 1);
  EXPECT_EQ(parse(damaged, &level), 1);
  EXPECT_STREQ(failureReason(), "compressed data is damaged");
  Bytes foreign = image;
  foreign[0] = 'f';
  EXPECT_EQ(parse(foreign, &level), 1);
  EXPECT_EQ(parse(Bytes{'F', 'O'}, &level), 1);
  EXPECT_EQ(parse(Bytes{}, &level), 1);
  Bytes wideClass = image;
  putU16LE(wideClass.data(), 104, 7);
  EXPECT_EQ(parse(wideClass, &level), 1);
  expectMarker(level);
}

TEST(LevelRead, CompressedAndPlainImagesReadAlike) {
  Level plain{}, packed{};
  ASSERT_EQ(parse(plainLevel(), &plain), 0);
  Bytes image = plainLevel();
  ASSERT_EQ(parse(gscmCompress(image.data(), image.size()), &packed), 0);
  ASSERT_EQ(plain.objectCount, packed.objectCount);
  auto a = levelElements(plain), b = levelElements(packed);
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i]->kind, b[i]->kind);
    EXPECT_EQ(a[i]->value, b[i]->value);
    EXPECT_EQ(a[i]->x, b[i]->x);
    EXPECT_EQ(a[i]->y, b[i]->y);
  }
}

TEST(LevelRead, ChunkIdsAndLengthsInsideAreNotChecked) {
  Bytes image = plainLevel();
  std::memcpy(image.data() + 12, "ABCD", 4);
  putU32BE(image.data(), 112, 1);
  std::memcpy(image.data() + 8000, "NOPE", 4);
  Level level{};
  EXPECT_EQ(parse(image, &level), 0);
  EXPECT_EQ(level.objectCount, 3u);
}

TEST(LevelRead, TerrainRowByRowThenObjectsInRecordOrder) {
  LevelDescription d;
  d.cells = {{19, 3, 4}, {0, 0, 1, 0x4000}, {2, 0, 2}};
  d.objects = {{6, 1, 1}, {5, 0, 0}};
  Level level{};
  ASSERT_EQ(parse(makeLevelImage(d), &level), 0);
  auto e = levelElements(level);
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(e[0]->value, 1u);
  EXPECT_EQ(e[0]->paramA, 0x4000u);  // the flag word as read
  EXPECT_EQ(e[1]->value, 2u);
  EXPECT_EQ(e[2]->value, 4u);
  EXPECT_EQ(e[2]->x, 19);
  EXPECT_EQ(e[2]->y, 3);
  EXPECT_EQ(e[3]->kind, uint32_t(ObjectKindObject));
  EXPECT_EQ(e[3]->value, 6u);
  EXPECT_EQ(e[4]->value, 5u);
  EXPECT_EQ(level.lastObject, e[4]);
  EXPECT_EQ(e[4]->prev, e[3]);
}

TEST(LevelRead, EmptyBlockMakesNoElementWhateverItsFlags) {
  Bytes image = makeLevelImage({});
  putU16BE(image.data(), 116 + 4 * (2 * 22 + 1), 0x4000);  // cell (0, 0) of K = 20
  Level level{};
  ASSERT_EQ(parse(image, &level), 0);
  EXPECT_EQ(level.objectCount, 0u);
}

TEST(LevelRead, LimitsShiftTheMapOrigin) {
  Bytes image = makeLevelImage({});
  putU16LE(image.data(), 78, 32);  // Lb = 2
  putU16LE(image.data(), 80, 24);  // Tb = 3
  putU16LE(image.data(), 82, 0);   // width 20 - 2
  putU16LE(image.data(), 84, 0);   // height 20 - 3
  // Level cell (1, 1) is map cell (3 + 1 + 2) * 22 + 2 + 1 + 1.
  putU16BE(image.data(), 116 + 4 * (6 * 22 + 4) + 2, 77);
  setRecord(&image, 0, 4, 16 * 5, 8 * 7);
  Level level{};
  ASSERT_EQ(parse(image, &level), 0);
  EXPECT_EQ(level.width, 18);
  EXPECT_EQ(level.height, 17);
  auto e = levelElements(level);
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0]->value, 77u);
  EXPECT_EQ(e[0]->x, 1);
  EXPECT_EQ(e[0]->y, 1);
  EXPECT_EQ(e[1]->x, 5 - 2 - 1);
  EXPECT_EQ(e[1]->y, 7 - 3 - 2);
}

TEST(LevelRead, ObjectPositionsAreSignedAndTruncated) {
  Bytes image = makeLevelImage({});
  setRecord(&image, 0, 1, 16, 16);
  setRecord(&image, 1, 2, 0, 0);
  setRecord(&image, 2, 3, -16, -8);
  setRecord(&image, 3, 4, -8, -4);  // truncation toward zero: 0 blocks, 0 rows
  Level level{};
  ASSERT_EQ(parse(image, &level), 0);
  auto e = levelElements(level);
  ASSERT_EQ(e.size(), 4u);
  const int expected[4][2] = {{0, 0}, {-1, -2}, {-2, -3}, {-1, -2}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(e[size_t(i)]->x, expected[i][0]) << i;
    EXPECT_EQ(e[size_t(i)]->y, expected[i][1]) << i;
  }
}

TEST(LevelRead, ObjectRecordsEndAtTheFirstEndMarkOrAfter64) {
  Bytes image = makeLevelImage({});
  setRecord(&image, 1, 3, 16, 16);  // after the end mark in record 0
  Level level{};
  ASSERT_EQ(parse(image, &level), 0);
  EXPECT_EQ(level.objectCount, 0u);

  for (int n = 0; n < 64; ++n) setRecord(&image, n, uint16_t(n), 16, 16);
  ASSERT_EQ(parse(image, &level), 0);
  EXPECT_EQ(level.objectCount, 64u);
  EXPECT_EQ(level.lastObject->value, 63u);
}

TEST(LevelRead, BlockFFFFCellsEachKeepTheirOwnSlot) {
  LevelDescription d;
  for (int x = 0; x < 6; ++x) d.cells.push_back({x, 0, x % 2 ? 0xFFFFu : uint32_t(x + 1)});
  Level level{};
  ASSERT_EQ(parse(makeLevelImage(d), &level), 0);
  auto e = levelElements(level);
  ASSERT_EQ(e.size(), 6u);
  EXPECT_EQ(level.objectCount, 6u);
  EXPECT_EQ(std::set<const LevelObject*>(e.begin(), e.end()).size(), 6u);
  for (size_t i = 0; i < e.size(); ++i) EXPECT_EQ(e[i]->x, int32_t(i));
  // The next element goes to a fresh slot, not over a 0xFFFF cell.
  LevelObject* added = addObject(ObjectKindObject, 1, 0, 0, 0, 0, &level);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(std::set<const LevelObject*>(e.begin(), e.end()).count(added), 0u);
  EXPECT_EQ(levelElements(level).size(), 7u);
}

TEST(LevelRead, HeaderReachingPastTheMapReadsThoseCellsAsEmpty) {
  Bytes image = makeLevelImage({});
  // Fill every map cell with block 1, then claim a huge, far-off level.
  for (size_t cell = 0; cell < size_t(LevelMapCells); ++cell) putU16BE(image.data(), 116 + 4 * cell + 2, 1);
  putU16LE(image.data(), 78, 0);
  putU16LE(image.data(), 80, 0xFFF8);  // Tb 8191: every row starts past the map
  putU16LE(image.data(), 82, 0xFFFF);
  putU16LE(image.data(), 84, 0xFFFF);
  Level level{};
  ASSERT_EQ(parse(image, &level), 0);
  EXPECT_EQ(level.objectCount, 0u);

  putU16LE(image.data(), 80, 0);  // rows from the top: only real cells are read
  putU16LE(image.data(), 104, 0);  // K = 80, map rows of 82 cells
  ASSERT_EQ(parse(image, &level), 0);
  EXPECT_GT(level.objectCount, 0u);
  EXPECT_LE(level.objectCount, uint32_t(LevelPoolSize));
  for (const LevelObject* e : levelElements(level)) EXPECT_EQ(e->value, 1u);
}

TEST(LevelRead, LoadLevelReadsFilesAndReportsMissingOnes) {
  TempDir dir;
  Level level{};
  loadMarker(&level);
  EXPECT_EQ(loadLevel(dir.file("absent.DAT").c_str(), &level), 1);
  EXPECT_STREQ(failureReason(), "file not found");
  expectMarker(level);

  writeFileBytes(dir.file("LEVEL000.DAT"), plainLevel());
  ASSERT_EQ(loadLevel(dir.file("LEVEL000.DAT").c_str(), &level), 0);
  EXPECT_EQ(level.objectCount, 3u);
  EXPECT_STREQ(level.name, "Fixture level");
}
