// GSCM decompression.
//
// The dictionary is kept as a tree rather than as byte strings: entry c points
// at a node, a rule adds one node joining the current nodes of its two
// sources. A node's bytes are produced only when a code emits it, so a rule
// costs O(1) however long its expansion would be, and chains of doubling rules
// cost nothing until emitted (and an expansion longer than the room left is
// refused before it is expanded). Once a node has been written its bytes sit
// in the output, so later emissions of the same node copy them from there.
#include "data/gscm.h"

#include <algorithm>
#include <cstring>

#include "levelfile/data_folder.h"

namespace {

constexpr uint32_t NotWritten = 0xFFFFFFFFu;
constexpr uint32_t LeafCount = 256;
constexpr uint32_t CopySlack = 16;

struct DictNode {
  uint32_t length;   // bytes of the expansion, capped at outputSize + 1
  uint32_t first;    // child nodes (rule nodes only)
  uint32_t second;
  uint32_t writtenAt;  // output offset of an earlier copy of its bytes, or NotWritten
};

uint16_t u16At(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

struct Decoder {
  std::vector<uint8_t>* output;  // grown as bytes arrive: a large declared size costs nothing until produced
  uint8_t* out;                  // output->data(), refreshed after each growth
  uint32_t outputSize;
  uint32_t produced;
  std::vector<DictNode> nodes;   // 0..255 leaves, then one per rule of the current block
  uint32_t entry[256];           // node of each code
  std::vector<uint32_t> stack;   // pending nodes while expanding

  void resetDictionary() {
    nodes.resize(LeafCount);
    for (uint32_t c = 0; c < LeafCount; ++c) {
      nodes[c] = {1, 0, 0, NotWritten};
      entry[c] = c;
    }
  }

  void addRule(uint8_t target, uint8_t first, uint8_t second) {
    uint32_t a = entry[first], b = entry[second];
    uint64_t length = uint64_t(nodes[a].length) + nodes[b].length;
    // Anything longer than outputSize can only ever fail with status 3, so
    // its exact length does not matter: the cap keeps the sum from overflowing.
    if (length > uint64_t(outputSize) + 1) length = uint64_t(outputSize) + 1;
    entry[target] = uint32_t(nodes.size());
    nodes.push_back({uint32_t(length), a, b, NotWritten});
  }

  // Appends the expansion of a node that is known to fit.
  void expand(uint32_t root) {
    stack.clear();
    stack.push_back(root);
    while (!stack.empty()) {
      uint32_t id = stack.back();
      stack.pop_back();
      if (id < LeafCount) {
        out[produced++] = uint8_t(id);
        continue;
      }
      DictNode& node = nodes[id];
      if (node.writtenAt != NotWritten) {
        std::memcpy(out + produced, out + node.writtenAt, node.length);
        produced += node.length;
        continue;
      }
      // Depth-first, first child on top: the node's bytes land contiguously
      // from here, and are complete before anything after it is popped.
      node.writtenAt = produced;
      stack.push_back(node.second);
      stack.push_back(node.first);
    }
  }

  // Keeps CopySlack bytes of room past the bytes about to be written, so the
  // fast path can copy a fixed 16 bytes and advance by the real length.
  void makeRoom(uint32_t count) {
    size_t needed = size_t(produced) + count + CopySlack;
    if (needed <= output->size()) return;
    size_t grown = std::max(needed, std::min<size_t>(size_t(outputSize) + CopySlack, 2 * output->size() + 4096));
    output->resize(grown);
    out = output->data();
  }

  // Appends the expansions of count code bytes; false as soon as one would
  // take the output past outputSize. The hot loop keeps its state in locals:
  // stores through the byte pointer could otherwise alias every member.
  bool emitCodes(const uint8_t* codes, uint32_t count) {
    const uint32_t* entries = entry;
    DictNode* nodeTable = nodes.data();
    uint8_t* dst = out;
    uint32_t at = produced;
    size_t room = output->size();
    for (uint32_t k = 0; k < count; ++k) {
      uint32_t id = entries[codes[k]];
      DictNode& node = nodeTable[id];
      uint32_t length = node.length;
      if (length > outputSize - at) {
        produced = at;
        return false;
      }
      if (at + size_t(length) + CopySlack > room) {
        produced = at;
        makeRoom(length);
        dst = out;
        room = output->size();
      }
      if (node.writtenAt != NotWritten && length <= CopySlack) {
        // Load all 16 bytes before storing: the tail of the source may
        // overlap the destination (only past the bytes that matter).
        uint8_t chunk[CopySlack];
        std::memcpy(chunk, dst + node.writtenAt, CopySlack);
        std::memcpy(dst + at, chunk, CopySlack);
        at += length;
      } else if (node.writtenAt != NotWritten) {
        std::memcpy(dst + at, dst + node.writtenAt, length);
        at += length;
      } else if (id < LeafCount) {
        node.writtenAt = at;
        dst[at++] = uint8_t(id);
      } else {
        produced = at;
        expand(id);
        at = produced;
      }
    }
    produced = at;
    return true;
  }
};

bool fail(std::vector<uint8_t>* output, uint32_t* sizeOrStatus, GscmStatus status) {
  output->clear();
  output->shrink_to_fit();
  *sizeOrStatus = status;
  return false;
}

}  // namespace

bool gscmDecompress(const uint8_t* input, uint32_t inputLength,
                    std::vector<uint8_t>* output, uint32_t* sizeOrStatus) {
  output->clear();
  if (inputLength < 13) return fail(output, sizeOrStatus, GscmTruncated);
  if (!hasGscmMagic(input, inputLength)) return fail(output, sizeOrStatus, GscmBadMagic);
  uint32_t outputSize = uint32_t(input[4]) | uint32_t(input[5]) << 8 | uint32_t(input[6]) << 16 |
                        uint32_t(input[7]) << 24;
  if (outputSize > GscmMaxOutputSize) return fail(output, sizeOrStatus, GscmTruncated);

  Decoder d;
  d.output = output;
  d.out = output->data();
  d.outputSize = outputSize;
  d.produced = 0;

  // Lengths are compared in 64 bits: p + 3n cannot wrap.
  uint64_t p = 8;
  for (;;) {
    if (p + 3 > inputLength) return fail(output, sizeOrStatus, GscmTruncated);
    uint8_t lastBlock = input[p];
    uint32_t n = u16At(input + p + 1);
    p += 3;
    if (p + 3ull * n > inputLength) return fail(output, sizeOrStatus, GscmTruncated);
    d.resetDictionary();
    const uint8_t* targets = input + p;
    for (uint32_t j = 0; j < n; ++j) d.addRule(targets[j], targets[n + j], targets[2 * n + j]);
    p += 3ull * n;
    if (p + 2 > inputLength) return fail(output, sizeOrStatus, GscmTruncated);
    uint32_t m = u16At(input + p);
    p += 2;
    if (p + m > inputLength) return fail(output, sizeOrStatus, GscmTruncated);
    if (!d.emitCodes(input + p, m)) return fail(output, sizeOrStatus, GscmTooMuchOutput);
    p += m;
    if (lastBlock != 0) break;
  }
  if (d.produced < outputSize) return fail(output, sizeOrStatus, GscmTooLittleOutput);
  output->resize(outputSize);
  *sizeOrStatus = outputSize;
  return true;
}
