// Feeds arbitrary bytes to the decompressor; a success must honour the
// declared size exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/gscm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  std::vector<uint8_t> output;
  uint32_t sizeOrStatus = 0;
  bool ok = gscmDecompress(data, uint32_t(size), &output, &sizeOrStatus);
  if (ok && output.size() != sizeOrStatus) std::abort();
  if (!ok && (!output.empty() || sizeOrStatus < 1 || sizeOrStatus > 4)) std::abort();
  return 0;
}
