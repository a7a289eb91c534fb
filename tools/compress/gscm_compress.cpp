// Byte-pair compressor for GSCM streams.
//
// Each block is compressed on its own: while the block leaves some byte value
// unused, the most frequent adjacent pair of codes is replaced by one unused
// code and recorded as a rule. Pairs may contain codes made by earlier rules,
// so rules chain the way the decompressor applies them (in order, each seeing
// the results of the ones before).
#include "compress/gscm_compress.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "levelfile/data_folder.h"

namespace {

struct PairRule {
  uint8_t target, first, second;
};

struct CompressedBlock {
  std::vector<PairRule> rules;
  std::vector<uint8_t> codes;
};

// A rule costs three bytes in the header, so a pair must occur at least this
// often to save anything.
constexpr uint32_t MinPairCount = 4;

// The most frequent pair in codes, counting a run like "aaa" once per
// non-overlapping replacement; returns its count.
uint32_t mostFrequentPair(const std::vector<uint8_t>& codes, uint8_t* first, uint8_t* second) {
  std::vector<uint32_t> counts(65536, 0);
  uint32_t best = 0;
  size_t i = 0;
  while (i + 1 < codes.size()) {
    uint32_t key = (uint32_t(codes[i]) << 8) | codes[i + 1];
    uint32_t c = ++counts[key];
    if (c > best) {
      best = c;
      *first = codes[i];
      *second = codes[i + 1];
    }
    // Skip the middle of a run of one byte so "aaa" counts (a,a) once.
    if (codes[i] == codes[i + 1] && i + 2 < codes.size() && codes[i + 2] == codes[i]) i += 2;
    else i += 1;
  }
  return best;
}

void replacePair(std::vector<uint8_t>* codes, uint8_t first, uint8_t second, uint8_t target) {
  size_t out = 0;
  size_t i = 0;
  while (i < codes->size()) {
    if (i + 1 < codes->size() && (*codes)[i] == first && (*codes)[i + 1] == second) {
      (*codes)[out++] = target;
      i += 2;
    } else {
      (*codes)[out++] = (*codes)[i++];
    }
  }
  codes->resize(out);
}

CompressedBlock compressBlock(const uint8_t* data, size_t size, int maxRules) {
  CompressedBlock block;
  block.codes.assign(data, data + size);
  std::array<bool, 256> used{};
  for (size_t i = 0; i < size; ++i) used[data[i]] = true;
  std::vector<uint8_t> freeCodes;
  for (int c = 255; c >= 0; --c)
    if (!used[c]) freeCodes.push_back(uint8_t(c));

  while (int(block.rules.size()) < maxRules && !freeCodes.empty()) {
    uint8_t first = 0, second = 0;
    if (mostFrequentPair(block.codes, &first, &second) < MinPairCount) break;
    uint8_t target = freeCodes.back();
    freeCodes.pop_back();
    replacePair(&block.codes, first, second, target);
    block.rules.push_back({target, first, second});
  }
  return block;
}

void appendU16LE(std::vector<uint8_t>* out, size_t v) {
  out->push_back(uint8_t(v & 0xFF));
  out->push_back(uint8_t((v >> 8) & 0xFF));
}

void appendBlock(std::vector<uint8_t>* out, const CompressedBlock& block, bool last) {
  out->push_back(last ? 1 : 0);
  appendU16LE(out, block.rules.size());
  for (const PairRule& r : block.rules) out->push_back(r.target);
  for (const PairRule& r : block.rules) out->push_back(r.first);
  for (const PairRule& r : block.rules) out->push_back(r.second);
  appendU16LE(out, block.codes.size());
  out->insert(out->end(), block.codes.begin(), block.codes.end());
}

}  // namespace

std::vector<uint8_t> gscmCompress(const uint8_t* data, size_t size, const GscmCompressOptions& options) {
  // The code count is 16-bit, and a block with no rules emits one code per byte.
  size_t blockSize = std::clamp<size_t>(options.blockSize, 1, 0xFFFF);
  int maxRules = std::clamp(options.maxRules, 0, 256);

  std::vector<uint8_t> out(std::begin(GscmMagic), std::end(GscmMagic));
  uint32_t outputSize = uint32_t(size);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t((outputSize >> shift) & 0xFF));

  if (size == 0) {
    appendBlock(&out, CompressedBlock{}, true);
    return out;
  }
  for (size_t start = 0; start < size; start += blockSize) {
    size_t len = std::min(blockSize, size - start);
    appendBlock(&out, compressBlock(data + start, len, maxRules), start + len >= size);
  }
  return out;
}
