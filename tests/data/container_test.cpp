#include "data/container.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/byte_order.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes formHeader() {
  Bytes b(12);
  std::memcpy(b.data(), "FORM", 4);
  std::memcpy(b.data() + 8, "XXXX", 4);
  return b;
}

void appendChunk(Bytes* b, const char* id, size_t length, size_t declared) {
  size_t at = b->size();
  b->resize(at + 8 + length, 0x5A);
  std::memcpy(b->data() + at, id, 4);
  putU32BE(b->data(), at + 4, uint32_t(declared));
}
void appendChunk(Bytes* b, const char* id, size_t length) { appendChunk(b, id, length, length); }

struct Tables {
  uint32_t offsets[StyleChunkCount];
  uint32_t lengths[StyleChunkCount];
};

Tables walk(const Bytes& b) {
  Tables t;
  for (int i = 0; i < StyleChunkCount; ++i) t.offsets[i] = 777, t.lengths[i] = 999;
  walkChunks(b.data(), b.size(), t.offsets, t.lengths);
  return t;
}

}  // namespace

TEST(ChunkWalk, OddLengthsAreNotPaddedAndUnknownIdsAreSkipped) {
  Bytes b = formHeader();
  appendChunk(&b, "QXCL", 3);   // data at 20
  appendChunk(&b, "QXZZ", 5);   // header at 23, skipped
  appendChunk(&b, "qxbl", 2);   // case matters: skipped
  appendChunk(&b, "QXBL", 7);   // header at 46, data at 54
  Tables t = walk(b);
  EXPECT_EQ(t.offsets[ChunkPalette], 20u);
  EXPECT_EQ(t.lengths[ChunkPalette], 3u);
  EXPECT_EQ(t.offsets[ChunkBlocks], 54u);
  EXPECT_EQ(t.lengths[ChunkBlocks], 7u);
  // Absent chunks: offset cleared, length left as it was.
  EXPECT_EQ(t.offsets[ChunkObjects], 0u);
  EXPECT_EQ(t.lengths[ChunkObjects], 999u);
}

TEST(ChunkWalk, RepeatedIdKeepsTheLastOccurrence) {
  Bytes b = formHeader();
  appendChunk(&b, "QXBA", 4);
  appendChunk(&b, "QXBA", 9);  // data at 12 + 12 + 8
  Tables t = walk(b);
  EXPECT_EQ(t.offsets[ChunkAnims], 32u);
  EXPECT_EQ(t.lengths[ChunkAnims], 9u);
}

TEST(ChunkWalk, StopsAtAChunkThatRunsPastTheBuffer) {
  Bytes b = formHeader();
  appendChunk(&b, "QXCL", 4);
  appendChunk(&b, "QXBE", 4, 0xFFFFFFF0);  // declared far too long
  Tables t = walk(b);
  EXPECT_EQ(t.offsets[ChunkPalette], 20u);
  EXPECT_EQ(t.offsets[ChunkPieces], 0u);

  // A header cut short at every length is never read past the end.
  Bytes whole = formHeader();
  appendChunk(&whole, "QXCL", 4);
  appendChunk(&whole, "QXBL", 4);
  for (size_t len = 0; len < whole.size(); ++len) {
    Bytes cut(whole.begin(), whole.begin() + long(len));
    Tables c = walk(cut);
    EXPECT_EQ(c.offsets[ChunkBlocks], 0u) << len;
  }
}
