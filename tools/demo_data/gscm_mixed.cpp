// GSCM streams that mix blocks without rules with compressed blocks, so the
// demo files exercise every shape of block the readers accept.
#include <algorithm>
#include <iterator>

#include "compress/gscm_compress.h"
#include "data/byte_order.h"
#include "demo_files.h"
#include "levelfile/data_folder.h"

// Byte ranges of the blocks of a well-formed stream, in order.
static std::vector<std::pair<size_t, size_t>> blockRanges(const std::vector<uint8_t>& stream) {
  std::vector<std::pair<size_t, size_t>> ranges;
  ByteReader r = makeReader(stream.data(), stream.size());
  size_t p = 8;
  for (bool last = false; !last && !r.overrun;) {
    size_t start = p;
    last = readU8(&r, p) != 0;
    size_t rules = readU16LE(&r, p + 1);
    p += 3 + 3 * rules;
    p += 2 + readU16LE(&r, p);
    ranges.emplace_back(start, p);
  }
  return ranges;
}

static uint32_t readLength(const std::vector<uint8_t>& stream) {
  ByteReader r = makeReader(stream.data(), stream.size());
  return readU32LE(&r, 4);
}

std::vector<uint8_t> compressMixed(const std::vector<uint8_t>& data, size_t plainLength,
                                   const GscmCompressOptions& options) {
  GscmCompressOptions copyThrough = options;
  copyThrough.maxRules = 0;
  plainLength = std::min(plainLength, data.size());
  std::vector<uint8_t> parts[2] = {
      gscmCompress(data.data(), plainLength, copyThrough),
      gscmCompress(data.data() + plainLength, data.size() - plainLength, options)};
  std::vector<uint8_t> out(std::begin(GscmMagic), std::end(GscmMagic));
  out.resize(out.size() + 4);
  putU32LE(out.data(), sizeof GscmMagic, static_cast<uint32_t>(data.size()));
  size_t lastBlock = 0;
  for (const std::vector<uint8_t>& part : parts) {
    if (readLength(part) == 0) continue;  // nothing in this part
    for (auto [start, end] : blockRanges(part)) {
      lastBlock = out.size();
      out.insert(out.end(), part.begin() + static_cast<long>(start), part.begin() + static_cast<long>(end));
      out[lastBlock] = 0;  // more blocks follow
    }
  }
  if (lastBlock == 0) return gscmCompress(data.data(), data.size(), options);
  out[lastBlock] = 1;
  return out;
}
