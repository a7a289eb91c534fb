// Decoding style file images built here chunk by chunk: the plane rule, the
// palette scaling, frame runs, animation records, part links and offsets,
// the per-style corrections, and clean failure on damaged images.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "compress/gscm_compress.h"
#include "data/failure.h"
#include "data/style.h"

namespace {

using Bytes = std::vector<uint8_t>;

void u16(Bytes* b, int v) {
  b->push_back(static_cast<uint8_t>(v));
  b->push_back(static_cast<uint8_t>(v >> 8));
}

struct Part {
  int mode = 0, dx = 0, dy = 0, extra = 0, link = 0;
};
struct Def {
  int typeCode = 0;
  std::vector<Part> parts;
};
struct Anim {
  int frames = 1, width = 1, height = 1;
  std::vector<int> offsets;  // one per frame, into the concatenated frame data
};

// A style image with the six decoded chunks; each field is one chunk's data.
struct StyleImage {
  Bytes palette = Bytes(2 + 384, 0);
  Bytes blocks = {1, 0};  // one block...
  Bytes pieces = {0, 0};
  Bytes frameRuns = {0, 0};
  Bytes anims = {0, 0};
  Bytes objects = {0, 0};
  StyleImage() { blocks.resize(2 + 128, 0); }  // ...of zeros

  void setAnims(const std::vector<Anim>& list) {
    anims.clear();
    u16(&anims, static_cast<int>(list.size()));
    for (const Anim& a : list) {
      u16(&anims, a.frames), u16(&anims, a.width), u16(&anims, a.height);
      for (int offset : a.offsets) u16(&anims, offset);
    }
  }
  void setRuns(const std::vector<Bytes>& runs) {
    frameRuns.clear();
    u16(&frameRuns, static_cast<int>(runs.size()));
    for (const Bytes& run : runs) {
      u16(&frameRuns, static_cast<int>(run.size()));
      frameRuns.insert(frameRuns.end(), run.begin(), run.end());
    }
  }
  void setDefs(const std::vector<Def>& defs) {
    objects.clear();
    u16(&objects, static_cast<int>(defs.size()));
    for (const Def& d : defs) {
      objects.push_back(static_cast<uint8_t>(d.parts.size()));
      objects.push_back(0xEE);  // not read
      u16(&objects, d.typeCode);
      objects.insert(objects.end(), 16, 0xEE);
      for (const Part& p : d.parts) {
        uint8_t r[12] = {0xEE,
                         static_cast<uint8_t>(p.mode),
                         0,
                         0,
                         0,
                         0,
                         0xEE,
                         0xEE,
                         0xEE,
                         static_cast<uint8_t>(p.extra),
                         static_cast<uint8_t>(p.link),
                         0xEE};
        r[2] = static_cast<uint8_t>(p.dx), r[3] = static_cast<uint8_t>(p.dx >> 8);
        r[4] = static_cast<uint8_t>(p.dy), r[5] = static_cast<uint8_t>(p.dy >> 8);
        objects.insert(objects.end(), r, r + 12);
      }
    }
  }

  Bytes build() const {
    Bytes out = {'F', 'O', 'R', 'M', 0, 0, 0, 0, 'T', 'E', 'S', 'T'};
    auto chunk = [&out](const char* id, const Bytes& data) {
      out.insert(out.end(), id, id + 4);
      uint32_t n = static_cast<uint32_t>(data.size());
      for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(n >> shift));
      out.insert(out.end(), data.begin(), data.end());
    };
    chunk("QXOB", objects);  // any order: the walk finds them by id
    chunk("QXCL", palette);
    chunk("QXZZ", Bytes(3, 7));  // unknown, odd length
    chunk("QXBL", blocks);
    chunk("QXBE", pieces);
    chunk("QXBF", frameRuns);
    chunk("QXBA", anims);
    return out;
  }
};

int decode(const Bytes& image, Style* style, int index = 0) {
  return decodeStyle(index, image.data(), image.size(), style);
}

void expectEmpty(const Style& s) {
  EXPECT_EQ(s.blockCount, 0u);
  EXPECT_EQ(s.pieceCount, 0u);
  EXPECT_EQ(s.animCount, 0u);
  EXPECT_EQ(s.objectDefCount, 0u);
  EXPECT_TRUE(s.blockPixels.empty() && s.pieces.empty() && s.anims.empty() && s.objectDefs.empty());
}

TEST(StyleDecode, StoredPlanesBecomeRowMajorPixels) {
  StyleImage image;
  for (int k = 0; k < 128; k++) image.blocks[2 + static_cast<size_t>(k)] = static_cast<uint8_t>(k);
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(image.build(), s.get()), 0);
  ASSERT_EQ(s->blockCount, 1u);
  const uint8_t firstRow[16] = {0, 32, 64, 96, 1, 33, 65, 97, 2, 34, 66, 98, 3, 35, 67, 99};
  EXPECT_EQ(std::memcmp(s->blockPixels.data(), firstRow, 16), 0);
  const uint8_t lastRow[16] = {28, 60, 92, 124, 29, 61, 93, 125, 30, 62, 94, 126, 31, 63, 95, 127};
  EXPECT_EQ(std::memcmp(s->blockPixels.data() + 112, lastRow, 16), 0);
}

TEST(StyleDecode, PaletteLevelsAreTimesFourKeptToEightBitsAfterTwoUnreadBytes) {
  StyleImage image;
  image.palette[0] = image.palette[1] = 0xFF;
  const uint8_t levels[6] = {63, 64, 65, 0, 1, 32};
  std::memcpy(&image.palette[2], levels, 6);
  image.palette[2 + 127 * 3 + 2] = 10;
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(image.build(), s.get()), 0);
  EXPECT_EQ(s->palette[0][0], 252);
  EXPECT_EQ(s->palette[0][1], 0);
  EXPECT_EQ(s->palette[0][2], 4);
  EXPECT_EQ(s->palette[1][0], 0);
  EXPECT_EQ(s->palette[1][1], 4);
  EXPECT_EQ(s->palette[1][2], 128);
  EXPECT_EQ(s->palette[127][2], 40);
}

TEST(StyleDecode, PiecesReadWidthHeightAndCellsFromConsecutiveRecords) {
  StyleImage image;
  image.pieces = {
      2, 0,                          // two pieces
      9, 9, 2, 1, 9, 9, 5, 0, 0, 1,  // 2x1: 5, 256
      9, 9, 0, 3, 9, 9,              // 0x3: no cells
  };
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(image.build(), s.get()), 0);
  ASSERT_EQ(s->pieceCount, 2u);
  EXPECT_EQ(s->pieces[0].width, 2u);
  EXPECT_EQ(s->pieces[0].height, 1u);
  EXPECT_EQ(s->pieces[0].isPiece, 1u);
  EXPECT_EQ(s->pieces[0].cells, (std::vector<int32_t>{5, 256}));
  EXPECT_EQ(s->pieces[1].cellCount, 0u);
  EXPECT_TRUE(s->pieces[1].cells.empty());
}

TEST(StyleDecode, AnimationsReadFramesFromTheConcatenatedRuns) {
  StyleImage image;
  // Runs of 3 and 5 bytes: concatenated, the u16 at offset 2 straddles them.
  image.setRuns({{1, 0, 2}, {0, 3, 0, 4, 0}});
  image.setAnims({{2, 2, 1, {0, 2}},  // frames (1, 2) and (2, 3)
                  {1, 0, 5, {}},      // no cells: 6 bytes, no offsets
                  {1, 1, 1, {6}},     // cell 4
                  {1, 1, 1, {12}}});  // the chunk's last two bytes, left where they were: cell 4
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(image.build(), s.get()), 0);
  ASSERT_EQ(s->animCount, 4u);
  EXPECT_EQ(s->anims[0].cells, (std::vector<int32_t>{1, 2, 2, 3}));
  EXPECT_EQ(s->anims[0].isPiece, 0u);
  EXPECT_EQ(s->anims[0].recordOffset, 0u);
  EXPECT_EQ(s->anims[1].recordOffset, 10u);
  EXPECT_EQ(s->anims[1].frameCount, 1u);
  EXPECT_TRUE(s->anims[1].cells.empty());
  EXPECT_EQ(s->anims[2].recordOffset, 16u);
  EXPECT_EQ(s->anims[2].cells, (std::vector<int32_t>{4}));
  EXPECT_EQ(s->anims[3].cells, (std::vector<int32_t>{4}));
}

TEST(StyleDecode, PartsNameAnimationsByRecordOffsetThenByIndex) {
  StyleImage image;
  image.setRuns({Bytes(2, 0)});
  // Record offsets 0, 8, 16, 24.
  image.setAnims({{1, 1, 1, {0}}, {1, 1, 1, {0}}, {1, 1, 1, {0}}, {1, 1, 1, {0}}});
  image.setDefs(
      {{0, {{0, 0, 0, 0, 8}, {0, 0, 0, 0, 3}, {0, 0, 0, 0, 2}, {0, 0, 0, 0, 4}, {0, 0, 0, 0, 200}}}});
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(image.build(), s.get()), 0);
  const ObjectDef& def = s->objectDefs[0];
  ASSERT_EQ(def.partCount, 5u);
  EXPECT_EQ(def.partAnim[0], &s->anims[1]);  // offset 8
  EXPECT_EQ(def.partAnim[1], &s->anims[3]);  // no offset 3: index 3
  EXPECT_EQ(def.partAnim[2], &s->anims[2]);  // no offset 2: index 2
  EXPECT_EQ(def.partAnim[3], nullptr);       // neither
  EXPECT_EQ(def.partAnim[4], nullptr);
}

TEST(StyleDecode, PartFieldsAndOffsetsTruncateTowardZero) {
  StyleImage image;
  image.setDefs(
      {{0x1234, {{160, -8, -12, 77, 0}, {240, -16, 8, 1, 0}, {0, -20, -4, 0, 0}, {0, 31, 15, 0, 0}}},
       {2, {}}});
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(image.build(), s.get()), 0);
  ASSERT_EQ(s->objectDefCount, 2u);
  const ObjectDef& def = s->objectDefs[0];
  EXPECT_EQ(def.typeCode, 0x1234u);
  EXPECT_EQ(def.partMode, (std::vector<int32_t>{160, 240, 0, 0}));
  EXPECT_EQ(def.partExtra, (std::vector<int32_t>{77, 1, 0, 0}));
  EXPECT_EQ(def.partDx, (std::vector<int32_t>{0, -1, -1, 1}));
  EXPECT_EQ(def.partDy, (std::vector<int32_t>{-1, 1, 0, 1}));
  EXPECT_EQ(s->objectDefs[1].partCount, 0u);
  EXPECT_TRUE(s->objectDefs[1].partAnim.empty());
}

// Definition 13 (styles 4, 5) and 6 (style 7) take a fixed animation.
StyleImage correctionImage(int animations) {
  StyleImage image;
  image.setRuns({Bytes(2, 0)});
  image.setAnims(std::vector<Anim>(static_cast<size_t>(animations), Anim{1, 1, 1, {0}}));
  image.setDefs(std::vector<Def>(14, Def{0, {{0, 0, 0, 0, 0}}}));
  return image;
}

TEST(StyleDecode, CorrectionsGiveFirstPartsTheirAnimationWhenItExists) {
  Bytes image = correctionImage(20).build();
  auto s = std::make_unique<Style>();
  for (int index : {4, 5}) {
    ASSERT_EQ(decode(image, s.get(), index), 0);
    EXPECT_EQ(s->objectDefs[13].partAnim[0], &s->anims[18]) << index;
    EXPECT_EQ(s->objectDefs[6].partAnim[0], &s->anims[0]);
  }
  ASSERT_EQ(decode(image, s.get(), 7), 0);
  EXPECT_EQ(s->objectDefs[6].partAnim[0], &s->anims[14]);
  EXPECT_EQ(s->objectDefs[13].partAnim[0], &s->anims[0]);
  ASSERT_EQ(decode(image, s.get(), 3), 0);
  EXPECT_EQ(s->objectDefs[13].partAnim[0], &s->anims[0]);

  // Too few animations for the row: it is skipped.
  ASSERT_EQ(decode(correctionImage(18).build(), s.get(), 4), 0);
  EXPECT_EQ(s->objectDefs[13].partAnim[0], &s->anims[0]);
}

StyleImage richImage() {
  StyleImage image;
  image.pieces = {1, 0, 0, 0, 1, 1, 0, 0, 3, 0};
  image.setRuns({{1, 0, 2, 0}});
  image.setAnims({{2, 1, 1, {0, 2}}});
  image.setDefs({{3, {{0, 16, 8, 0, 0}}}});
  return image;
}

TEST(StyleDecode, EveryTruncatedImageFailsAndLeavesTheStyleEmpty) {
  Bytes image = richImage().build();
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(image, s.get()), 0);
  for (size_t length = 0; length < image.size(); length++) {
    ASSERT_EQ(decode(image, s.get()), 0);  // a full style first: failure must empty it
    Bytes prefix(image.begin(), image.begin() + static_cast<long>(length));
    EXPECT_EQ(decode(prefix, s.get()), 1) << length;
    expectEmpty(*s);
  }
}

TEST(StyleDecode, RecordsRunningPastTheirChunkFail) {
  struct Case {
    const char* what;
    void (*damage)(StyleImage*);
  };
  const Case cases[] = {
      {"block count", [](StyleImage* i) { i->blocks[0] = 2; }},
      {"piece count", [](StyleImage* i) { i->pieces[0] = 2; }},
      {"piece cells", [](StyleImage* i) { i->pieces[4] = 2; }},
      {"run length", [](StyleImage* i) { i->frameRuns[2] = 5; }},
      // Frames may read what follows the runs inside the chunk (8 bytes), not past it.
      {"frame offset",
       [](StyleImage* i) {
         i->setAnims({{2, 1, 1, {0, 7}}});
       }},
      {"frame list",
       [](StyleImage* i) {
         i->setAnims({{3, 1, 1, {0, 2}}});
       }},
      {"part records", [](StyleImage* i) { i->objects[2] = 2; }},
      {"definition count", [](StyleImage* i) { i->objects[0] = 2; }},
      {"palette", [](StyleImage* i) { i->palette.pop_back(); }},
  };
  for (const Case& c : cases) {
    StyleImage image = richImage();
    c.damage(&image);
    auto s = std::make_unique<Style>();
    EXPECT_EQ(decode(image.build(), s.get()), 1) << c.what;
    EXPECT_STRNE(failureReason(), "") << c.what;
    expectEmpty(*s);
  }
}

TEST(StyleDecode, MissingChunkFails) {
  Bytes image = richImage().build();
  // Rename QXBA so the walk no longer finds the animations.
  auto at = std::search(image.begin(), image.end(), std::begin("QXBA"), std::begin("QXBA") + 4);
  ASSERT_NE(at, image.end());
  at[3] = 'Z';
  auto s = std::make_unique<Style>();
  EXPECT_EQ(decode(image, s.get()), 1);
  EXPECT_STREQ(failureReason(), "style chunk is missing");
}

TEST(StyleDecode, HugeAnimationsFailBeforeAllocating) {
  StyleImage image = richImage();
  image.setRuns({Bytes(4000, 0)});
  image.setAnims({{65535, 40, 50, std::vector<int>(65535, 0)}});
  auto s = std::make_unique<Style>();
  EXPECT_EQ(decode(image.build(), s.get()), 1);
  expectEmpty(*s);
}

TEST(StyleDecode, CompressedImageDecodesLikeThePlainOne) {
  Bytes plain = richImage().build();
  GscmCompressOptions options;
  options.blockSize = 64;
  Bytes packed = gscmCompress(plain.data(), plain.size(), options);
  packed.insert(packed.end(), 5, 0xAB);  // bytes after the last block are not read
  auto a = std::make_unique<Style>(), b = std::make_unique<Style>();
  ASSERT_EQ(decode(plain, a.get()), 0);
  ASSERT_EQ(decode(packed, b.get()), 0);
  EXPECT_EQ(a->pieces[0].cells, b->pieces[0].cells);
  EXPECT_EQ(a->anims[0].cells, b->anims[0].cells);
  EXPECT_EQ(b->objectDefs[0].partDx[0], 1);

  packed[9] ^= 0x40;  // a damaged stream
  EXPECT_EQ(decode(packed, b.get()), 1);
  expectEmpty(*b);
}

TEST(StyleDecode, FreeStyleReleasesEverythingAndZeroesCounts) {
  auto s = std::make_unique<Style>();
  ASSERT_EQ(decode(richImage().build(), s.get()), 0);
  ASSERT_EQ(s->objectDefCount, 1u);
  freeStyle(s.get());
  expectEmpty(*s);
  freeStyle(s.get());  // twice is harmless
  expectEmpty(*s);
}

}  // namespace
