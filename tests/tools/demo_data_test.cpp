// The generated demo data set: every style passes the real loader with its
// table size and CRC, every level loads, binds without losing anything and
// rewrites to the very bytes it was stored as, and the generator repeats
// itself exactly.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "data/bind.h"
#include "data/gscm.h"
#include "data/level_source.h"
#include "data/level_writer.h"
#include "support/files.h"
#include "support/paths.h"

namespace {

std::vector<uint8_t> unpacked(const std::vector<uint8_t>& stored) {
  if (!hasGscmMagic(stored.data(), stored.size())) return stored;
  std::vector<uint8_t> out;
  uint32_t status = 0;
  if (!gscmDecompress(stored.data(), static_cast<uint32_t>(stored.size()), &out, &status)) return {};
  return out;
}

bool isCompressed(const std::vector<uint8_t>& stored) { return hasGscmMagic(stored.data(), stored.size()); }

int largestHeightFor(int width) {
  static const int widths[7] = {20, 24, 32, 40, 50, 64, 80}, heights[7] = {80, 64, 50, 40, 32, 24, 20};
  for (int i = 0; i < 7; i++)
    if (width <= widths[i]) return heights[i];
  return 0;
}

// The shape of a GSCM stream's blocks.
struct StreamShape {
  int blocks = 0, blocksWithoutRules = 0, chainedRules = 0;
};
StreamShape shapeOf(const std::vector<uint8_t>& s) {
  StreamShape shape;
  size_t p = 8;
  for (bool last = false; !last && p + 3 <= s.size();) {
    last = s[p] != 0;
    size_t n = s[p + 1] | s[p + 2] << 8;
    const uint8_t *targets = &s[p + 3], *first = targets + n, *second = first + n;
    for (size_t j = 0; j < n; j++)  // a rule built from an earlier rule's target
      for (size_t k = 0; k < j; k++) shape.chainedRules += first[j] == targets[k] || second[j] == targets[k];
    p += 3 + 3 * n;
    p += 2 + (s[p] | s[p + 1] << 8);
    shape.blocks++;
    shape.blocksWithoutRules += n == 0;
  }
  return shape;
}

// loadStyle reads "STYLES/..." from the current directory.
class DemoData : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd.emplace(testpaths::demoDir());
    ASSERT_TRUE(cwd->entered) << "no demo data in " << testpaths::demoDir();
  }
  void TearDown() override { cwd.reset(); }
  std::optional<InDir> cwd;
};

TEST_F(DemoData, EveryStylePassesTheLoaderWithAnimationsWhosePeriodFits) {
  int compressed = 0;
  for (int i = 0; i < StyleCount; i++) {
    auto style = std::make_unique<Style>();
    ASSERT_EQ(loadStyle(i, style.get()), 0) << styleTable[i].stem;
    EXPECT_GT(style->blockCount, 100u) << styleTable[i].stem;
    EXPECT_GT(style->pieceCount, 20u);
    uint64_t product = 1;
    for (const BlockPattern& anim : style->anims) {
      EXPECT_GE(anim.frameCount, 1u);
      EXPECT_LE(anim.frameCount, 8u);
      product *= anim.frameCount;
    }
    EXPECT_LT(product, uint64_t{1} << 28) << styleTable[i].stem;
    EXPECT_EQ(animPeriodOf(*style), static_cast<uint32_t>(product));
    std::vector<uint8_t> stored = readFileBytes(stylePathIn("", i));
    if (!isCompressed(stored)) continue;
    compressed++;
    StreamShape shape = shapeOf(stored);
    EXPECT_GE(shape.blocks, 4) << styleTable[i].stem;
    EXPECT_GE(shape.blocksWithoutRules, 1) << styleTable[i].stem;
    EXPECT_GT(shape.chainedRules, 0) << styleTable[i].stem;
  }
  EXPECT_GE(compressed, 4);
}

TEST_F(DemoData, StylesCoverEveryBindingRuleCorrectionAndOverride) {
  for (int i = 0; i < StyleCount; i++) {
    auto style = std::make_unique<Style>();
    ASSERT_EQ(loadStyle(i, style.get()), 0);
    ASSERT_GE(style->objectDefCount, 23u);                // definition 22 is overridden in one style
    ASSERT_GE(style->animCount, 19u);                     // animation 18 is assigned by a correction
    EXPECT_GE(style->objectDefs[1].partAnim.size(), 3u);  // the part-count table reaches 3
    std::set<int> modes, types;
    bool negativeOffset = false, indexLink = false;
    for (const ObjectDef& def : style->objectDefs) {
      ASSERT_GT(def.partCount, 0u);
      ASSERT_NE(def.partAnim[0], nullptr);
      modes.insert(def.partMode[0]);
      types.insert(static_cast<int>(def.typeCode));
      for (uint32_t p = 0; p < def.partCount; p++) {
        negativeOffset = negativeOffset || (def.typeCode == 3 && def.partDx[p] < 0);
        indexLink = indexLink || def.partAnim[p]->recordOffset > 255;
      }
    }
    EXPECT_TRUE(modes.count(0xA0) && modes.count(0xF0)) << styleTable[i].stem;
    for (int type : {2, 3, 6, 9}) EXPECT_TRUE(types.count(type)) << styleTable[i].stem << " type " << type;
    EXPECT_TRUE(negativeOffset);
    EXPECT_TRUE(indexLink) << "some parts name their animation by index";
    bool widthless = false;
    for (const BlockPattern& anim : style->anims) widthless = widthless || anim.cellCount == 0;
    EXPECT_TRUE(widthless) << "a record without cells";
  }
}

TEST_F(DemoData, EveryLevelLoadsBindsAndRewritesToTheBytesItWasStoredAs) {
  std::set<int> widthClasses, rates, times;
  std::set<std::string> names;
  int compressed = 0, foreign = 0, flagged = 0;
  for (int n = 0; n < LevelCount; n++) {
    SCOPED_TRACE("level " + std::to_string(n));
    std::vector<uint8_t> stored = readFileBytes(levelPathIn("", n));
    auto level = std::make_unique<Level>();
    ASSERT_EQ(loadLevel(levelPathIn("", n).c_str(), level.get()), 0);
    auto style = std::make_unique<Style>();
    ASSERT_EQ(loadStyle(level->style, style.get()), 0);
    uint32_t before = level->objectCount;
    bindLevelToStyle(style.get(), level.get());
    EXPECT_EQ(level->objectCount, before) << "binding removed elements";

    ASSERT_GE(level->width, 20);
    ASSERT_LE(level->width, 80);
    EXPECT_GE(level->height, 20);
    EXPECT_LE(level->height, largestHeightFor(level->width));
    EXPECT_GE(level->startX, 0);
    EXPECT_LE(level->startX + 20, level->width);
    EXPECT_GE(level->startY, 0);
    EXPECT_LE(level->startY + 20, level->height);

    int objects = 0, cells = 0, entrances = 0, exits = 0;
    names.insert(level->name);
    rates.insert(level->releaseRate);
    times.insert(level->timeMinutes * 60 + level->timeSeconds);
    for (const LevelObject* o = level->firstObject; o; o = o->next) {
      if (o->kind == ObjectKindTerrainCell) {
        cells++;
        flagged += o->flags == 0x4000;
        continue;
      }
      objects++;
      if (o->value == 1) {  // the entrance is what the start view shows
        entrances++;
        EXPECT_GE(o->x - o->shiftX, level->startX);
        EXPECT_LT(o->x - o->shiftX, level->startX + 20);
        EXPECT_GE(o->y - o->shiftY, level->startY);
        EXPECT_LT(o->y - o->shiftY, level->startY + 20);
      }
      exits += o->value == 0;
    }
    EXPECT_GT(cells, level->width * 2);
    EXPECT_LE(objects, 64);
    EXPECT_GE(objects, 4);
    EXPECT_EQ(entrances, 1);
    EXPECT_EQ(exits, 1);

    uint8_t image[LevelFileSize];
    ASSERT_EQ(buildLevelImage(*level, image), 0);
    std::vector<uint8_t> content = unpacked(stored);
    ASSERT_EQ(content.size(), LevelFileSize);
    EXPECT_EQ(std::memcmp(image, content.data(), LevelFileSize), 0);

    int k = 6;
    while (k > 0 && (k == 6 ? 20 : k == 5 ? 24 : k == 4 ? 32 : k == 3 ? 40 : k == 2 ? 50 : 64) < level->width)
      k--;
    widthClasses.insert(k);
    compressed += isCompressed(stored);
    foreign += level->style != n / 10;
  }
  EXPECT_EQ(widthClasses.size(), 7u);
  EXPECT_GE(compressed, 30);
  EXPECT_LE(compressed, 50);
  EXPECT_GE(foreign, 1);
  EXPECT_GT(flagged, 100);
  EXPECT_GE(names.size(), 100u);
  EXPECT_GE(rates.size(), 30u);
  EXPECT_GE(times.size(), 15u);
}

TEST_F(DemoData, StylesLookDifferentFromEachOther) {
  std::vector<std::unique_ptr<Style>> styles;
  for (int i = 0; i < StyleCount; i++) {
    styles.push_back(std::make_unique<Style>());
    ASSERT_EQ(loadStyle(i, styles.back().get()), 0);
  }
  for (int a = 0; a < StyleCount; a++)
    for (int b = a + 1; b < StyleCount; b++) {
      const Style &x = *styles[static_cast<size_t>(a)], &y = *styles[static_cast<size_t>(b)];
      EXPECT_NE(std::memcmp(x.palette, y.palette, sizeof x.palette), 0) << a << " " << b;
      EXPECT_NE(x.blockPixels, y.blockPixels) << a << " " << b;
    }
}

TEST(DemoDataGenerator, WritesTheSameBytesOnEveryRun) {
  TempDir first, second;
  std::string program = std::string(testpaths::binaryDir()) + "/tools/make_demo_data";
  ASSERT_EQ(std::system((program + " " + first.path).c_str()), 0);
  ASSERT_EQ(std::system((program + " " + second.path + " >/dev/null").c_str()), 0);
  for (int i = 0; i < StyleCount; i++) {
    std::vector<uint8_t> a = readFileBytes(stylePathIn(first.path, i));
    EXPECT_EQ(a.size(), styleTable[i].size);
    EXPECT_EQ(a, readFileBytes(stylePathIn(second.path, i))) << styleTable[i].stem;
  }
  for (int n = 0; n < LevelCount; n++) {
    std::vector<uint8_t> a = readFileBytes(levelPathIn(first.path, n));
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, readFileBytes(levelPathIn(second.path, n))) << n;
  }
}

TEST(DemoDataGenerator, RefusesAMissingDirectoryArgument) {
  std::string program = std::string(testpaths::binaryDir()) + "/tools/make_demo_data";
  EXPECT_NE(std::system((program + " 2>/dev/null").c_str()), 0);
}

}  // namespace
