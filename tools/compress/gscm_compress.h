#pragma once
// A byte-pair compressor producing GSCM streams (for the demo data and the
// tests; driver itself never compresses).

#include <cstddef>
#include <cstdint>
#include <vector>

struct GscmCompressOptions {
  size_t blockSize = 4096;   // input bytes per block
  int maxRules = 200;        // pair rules per block at most (0: blocks copy their bytes through)
};

// A stream that gscmDecompress turns back into exactly data[0..size).
std::vector<uint8_t> gscmCompress(const uint8_t* data, size_t size, const GscmCompressOptions& options = {});
