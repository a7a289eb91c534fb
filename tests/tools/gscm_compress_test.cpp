#include "compress/gscm_compress.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "data/gscm.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes decompressed(const Bytes& packed) {
  Bytes out;
  uint32_t status = 0;
  EXPECT_TRUE(gscmDecompress(packed.data(), uint32_t(packed.size()), &out, &status)) << status;
  return out;
}

}  // namespace

TEST(GscmCompress, RoundTripsVariedInputs) {
  std::mt19937 rng(7);
  std::vector<Bytes> inputs = {{}, {42}, Bytes(70000, 0)};
  Bytes text;
  for (int i = 0; i < 30000; ++i) text.push_back(uint8_t("the level of levels "[i % 20]));
  inputs.push_back(text);
  Bytes noise(20000);
  for (auto& b : noise) b = uint8_t(rng());
  inputs.push_back(noise);
  Bytes skewed(50000);
  for (auto& b : skewed) b = uint8_t(rng() % 7 == 0 ? rng() : rng() % 4);
  inputs.push_back(skewed);

  for (const GscmCompressOptions& options :
       {GscmCompressOptions{}, GscmCompressOptions{1000, 0}, GscmCompressOptions{70000, 255}}) {
    for (const Bytes& input : inputs) {
      SCOPED_TRACE(input.size());
      EXPECT_EQ(decompressed(gscmCompress(input.data(), input.size(), options)), input);
    }
  }
}

TEST(GscmCompress, RepetitiveDataShrinksWithChainedRulesAndManyBlocks) {
  Bytes text;
  for (int i = 0; i < 20000; ++i) text.push_back(uint8_t("abcdefgh"[i % 8]));
  Bytes packed = gscmCompress(text.data(), text.size());
  EXPECT_LT(packed.size(), text.size() / 4);
  // First block: 4096 bytes, so not the last; its rules build on each other.
  EXPECT_EQ(packed[8], 0);
  uint32_t n = packed[9] | packed[10] << 8;
  ASSERT_GT(n, 1u);
  const uint8_t* targets = &packed[11];
  bool chained = false;
  for (uint32_t j = 1; j < n; ++j)
    for (uint32_t k = 0; k < j; ++k)
      chained |= targets[n + j] == targets[k] || targets[2 * n + j] == targets[k];
  EXPECT_TRUE(chained);
}
