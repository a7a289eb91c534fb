#include "data/gscm.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "levelfile/data_folder.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Result {
  bool ok;
  uint32_t sizeOrStatus;
  Bytes output;
};

Result decompress(const Bytes& input) {
  Result r{false, 0xDEADBEEF, {1, 2, 3}};
  r.ok = gscmDecompress(input.data(), uint32_t(input.size()), &r.output, &r.sizeOrStatus);
  return r;
}

void expectFailure(const Bytes& input, uint32_t status) {
  Result r = decompress(input);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.sizeOrStatus, status);
  EXPECT_TRUE(r.output.empty());
}

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A stream header followed by raw block bytes.
Bytes stream(uint32_t outputSize, const Bytes& blocks) {
  Bytes s(std::begin(GscmMagic), std::end(GscmMagic));
  for (int shift = 0; shift < 32; shift += 8) s.push_back(uint8_t(outputSize >> shift));
  for (uint8_t b : blocks) s.push_back(b);  // (insert() trips a false -Warray-bounds in GCC 12)
  return s;
}

}  // namespace

TEST(GscmDecompress, WorkedExamples) {
  Result abc = decompress({0x47, 0x53, 0x43, 0x4D, 0x03, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00,
                           0x80, 0x61, 0x62, 0x02, 0x00, 0x80, 0x63});
  ASSERT_TRUE(abc.ok);
  EXPECT_EQ(abc.sizeOrStatus, 3u);
  EXPECT_EQ(abc.output, bytesOf("abc"));

  Result empty = decompress(stream(0, {1, 0, 0, 0, 0}));
  ASSERT_TRUE(empty.ok);
  EXPECT_EQ(empty.sizeOrStatus, 0u);
  EXPECT_TRUE(empty.output.empty());
}

TEST(GscmDecompress, ShortOrForeignInputFails) {
  expectFailure(Bytes(std::begin(GscmMagic), std::end(GscmMagic)), GscmTruncated);
  expectFailure(stream(0, {1, 0, 0, 0}), GscmTruncated);  // 12 bytes, otherwise valid
  expectFailure(Bytes{}, GscmTruncated);
  Bytes form = stream(0, {1, 0, 0, 0, 0});
  form[0] = 'F', form[1] = 'O', form[2] = 'R', form[3] = 'M';
  expectFailure(form, GscmBadMagic);
  Bytes lower = stream(0, {1, 0, 0, 0, 0});
  lower[3] = 'm';
  expectFailure(lower, GscmBadMagic);
}

TEST(GscmDecompress, BlockWithoutRulesCopiesCodes) {
  Result r = decompress(stream(3, {1, 0, 0, 3, 0, 0x80, 0x00, 0xFF}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.output, (Bytes{0x80, 0x00, 0xFF}));
}

TEST(GscmDecompress, RuleUsesOldExpansionOfItsOwnTarget) {
  // x := x y, then x := x x  ->  "xyxy"; emitted twice.
  Result r = decompress(stream(8, {1, 2, 0, 'x', 'x', 'x', 'x', 'y', 'x', 2, 0, 'x', 'x'}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.output, bytesOf("xyxyxyxy"));
  // Second source equal to the target: q := a q  ->  "aq".
  Result s = decompress(stream(2, {1, 1, 0, 'q', 'a', 'q', 1, 0, 'q'}));
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.output, bytesOf("aq"));
}

TEST(GscmDecompress, LaterRulesSeeEarlierOnes) {
  // 1 := a b, 2 := 1 c, 1 := 2 2 -> code 1 is "abcabc", code 2 "abc".
  Result r = decompress(stream(9, {1, 3, 0, 1, 2, 1, 'a', 1, 2, 'b', 'c', 2, 2, 0, 1, 2}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.output, bytesOf("abcabcabc"));
}

TEST(GscmDecompress, EachBlockStartsWithAFreshDictionary) {
  Result r = decompress(stream(3, {0, 1, 0, 0x80, 'a', 'b', 1, 0, 0x80,  //
                                   1, 0, 0, 1, 0, 0x80}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.output, (Bytes{'a', 'b', 0x80}));
}

TEST(GscmDecompress, OutputSizeMustMatchExactly) {
  expectFailure(stream(2, {1, 0, 0, 3, 0, 'a', 'b', 'c'}), GscmTooMuchOutput);
  // The overflowing byte comes from inside an expansion.
  expectFailure(stream(2, {1, 1, 0, 0x80, 'a', 'b', 2, 0, 'c', 0x80}), GscmTooMuchOutput);
  expectFailure(stream(4, {1, 0, 0, 3, 0, 'a', 'b', 'c'}), GscmTooLittleOutput);
  expectFailure(stream(4, {0, 0, 0, 2, 0, 'a', 'b', 1, 0, 0, 1, 0, 'c'}), GscmTooLittleOutput);
}

TEST(GscmDecompress, StreamEndingInsideABlockFails) {
  Bytes whole = stream(4, {0, 1, 0, 0x80, 'a', 'b', 1, 0, 0x80,  //
                           1, 0, 0, 2, 0, 'c', 'd', 0xEE});
  ASSERT_TRUE(decompress(whole).ok);  // trailing bytes are ignored
  for (size_t len = 0; len + 1 < whole.size(); ++len) {
    SCOPED_TRACE(len);
    expectFailure(Bytes(whole.begin(), whole.begin() + long(len)), GscmTruncated);
  }
  // No block ever says it is the last one.
  expectFailure(stream(1, {0, 0, 0, 1, 0, 'a', 0, 0, 0, 0, 0}), GscmTruncated);
}

TEST(GscmDecompress, AbsurdDeclaredSizeFailsBeforeAllocating) {
  expectFailure(stream(GscmMaxOutputSize + 1, {1, 0, 0, 0, 0}), GscmTruncated);
  expectFailure(stream(0xFFFFFFFFu, {1, 0, 0, 0, 0}), GscmTruncated);
}

TEST(GscmDecompress, DoublingChainCostsBoundedWork) {
  // 255 rules each doubling code 0x80: an expansion of 2^255 bytes if built.
  Bytes block = {1, 255, 0};
  for (int i = 0; i < 255; ++i) block.push_back(0x80);
  for (int i = 0; i < 255; ++i) block.push_back(0x80);
  for (int i = 0; i < 255; ++i) block.push_back(0x80);
  block.insert(block.end(), {1, 0, 0x80});
  expectFailure(stream(1000, block), GscmTooMuchOutput);

  // A chain of exactly 2^20 bytes still decodes.
  Bytes exact = {1, 20, 0};
  for (int i = 0; i < 20; ++i) exact.push_back(0x80);  // targets
  for (int part = 0; part < 2; ++part)                     // first "zz", then doubling
    for (int i = 0; i < 20; ++i) exact.push_back(i == 0 ? 'z' : 0x80);
  exact.insert(exact.end(), {1, 0, 0x80});
  Result r = decompress(stream(1u << 20, exact));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.output, Bytes(1u << 20, 'z'));
}
