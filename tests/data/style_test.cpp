// loadStyle: the index, size and CRC-32 checks in front of the decoder, run
// in a scratch directory holding copies of generated style files.
#include "data/style.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string>

#include "data/failure.h"
#include "support/files.h"
#include "support/paths.h"

namespace {

class StyleLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir(dir.file("STYLES").c_str(), 0777), 0);
    cwd.emplace(dir.path);
    ASSERT_TRUE(cwd->entered);
  }
  void TearDown() override { cwd.reset(); }

  // The generated file of a style, placed (possibly altered) in the scratch directory.
  std::vector<uint8_t> original(int index) {
    return readFileBytes(stylePathIn(testpaths::demoDir(), index));
  }
  void place(int index, const std::vector<uint8_t>& bytes) {
    writeFileBytes(stylePathIn(dir.path, index), bytes);
  }
  // A style loaded first, so that a failure has something to empty.
  std::unique_ptr<Style> loadedStyle() {
    place(1, original(1));
    auto style = std::make_unique<Style>();
    EXPECT_EQ(loadStyle(1, style.get()), 0);
    EXPECT_GT(style->blockCount, 0u);
    return style;
  }
  static void expectEmpty(const Style& s) {
    EXPECT_EQ(s.blockCount + s.pieceCount + s.animCount + s.objectDefCount, 0u);
    EXPECT_TRUE(s.blockPixels.empty() && s.pieces.empty() && s.anims.empty() && s.objectDefs.empty());
  }

  TempDir dir;
  std::optional<InDir> cwd;
};

TEST_F(StyleLoad, IndexOutsideTheTableFailsBeforeLookingForAFile) {
  auto style = loadedStyle();
  for (int index : {-1, 12, 1000}) {
    EXPECT_EQ(loadStyle(index, style.get()), 1);
    EXPECT_STREQ(failureReason(), "style index out of range");
    EXPECT_EQ(style->styleIndex, index);
    expectEmpty(*style);
  }
  EXPECT_EQ(loadStyle(2, style.get()), 1);  // in range: now the file is looked for
  EXPECT_STREQ(failureReason(), "style file missing");
}

TEST_F(StyleLoad, AcceptsOnlyTheExactStoredFile) {
  const int index = 6;
  std::vector<uint8_t> bytes = original(index);
  ASSERT_EQ(bytes.size(), styleTable[index].size);
  auto style = loadedStyle();

  place(index, bytes);
  ASSERT_EQ(loadStyle(index, style.get()), 0);
  EXPECT_EQ(style->styleIndex, index);

  std::vector<uint8_t> changed = bytes;
  changed[changed.size() / 2] ^= 0x01;  // one bit, same size
  place(index, changed);
  EXPECT_EQ(loadStyle(index, style.get()), 1);
  EXPECT_STREQ(failureReason(), "style file fails its CRC check");
  expectEmpty(*style);

  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  place(index, longer);
  EXPECT_EQ(loadStyle(index, style.get()), 1);
  EXPECT_STREQ(failureReason(), "style file has the wrong size");

  place(index, std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
  EXPECT_EQ(loadStyle(index, style.get()), 1);
  EXPECT_STREQ(failureReason(), "style file has the wrong size");

  // The right file under another style's name fails that style's size or CRC.
  place(index + 1, bytes);
  EXPECT_EQ(loadStyle(index + 1, style.get()), 1);
}

TEST_F(StyleLoad, ADirectoryInPlaceOfTheFileFailsCleanly) {
  auto style = loadedStyle();
  ASSERT_EQ(mkdir(dir.file("STYLES/VARNELO.DAT").c_str(), 0777), 0);
  EXPECT_EQ(loadStyle(0, style.get()), 1);
  expectEmpty(*style);
}

}  // namespace
