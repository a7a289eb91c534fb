#pragma once
// GSCM decompression: per-block byte-pair dictionaries. Files that start with
// "GSCM" are decompressed whole before they are parsed; nothing in driver
// compresses.

#include <cstdint>
#include <vector>

// Status codes stored in sizeOrStatus on failure.
enum GscmStatus : uint32_t {
  GscmBadMagic = 1,      // input does not start with "GSCM"
  GscmTruncated = 2,     // shorter than 13 bytes, ends inside a block, or an absurd outputSize
  GscmTooMuchOutput = 3, // blocks produce more than outputSize bytes
  GscmTooLittleOutput = 4,  // fewer than outputSize bytes after the last block
};

constexpr uint32_t GscmMaxOutputSize = 16u << 20;  // larger declared sizes fail before allocating

// On success returns true, fills output with exactly outputSize bytes and
// stores outputSize in *sizeOrStatus. On failure returns false, leaves output
// empty and stores a GscmStatus in *sizeOrStatus.
bool gscmDecompress(const uint8_t* input, uint32_t inputLength,
                    std::vector<uint8_t>* output, uint32_t* sizeOrStatus);
