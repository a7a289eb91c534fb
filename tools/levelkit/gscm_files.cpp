#include "gscm_files.h"

#include <cstring>
#include <vector>

#include "compress/gscm_compress.h"
#include "data/gscm.h"
#include "file_io.h"
#include "levelfile/data_folder.h"

static bool isGscm(const std::vector<uint8_t>& bytes) { return hasGscmMagic(bytes.data(), bytes.size()); }

static const char* gscmStatusReason(uint32_t status) {
  switch (status) {
    case GscmBadMagic: return "not a GSCM file";
    case GscmTruncated: return "compressed data ends early or declares an absurd size";
    case GscmTooMuchOutput: return "compressed data makes more bytes than it declares";
    case GscmTooLittleOutput: return "compressed data makes fewer bytes than it declares";
    default: return "compressed data is damaged";
  }
}

int packFile(const std::string& in, const std::string& out, std::string* reason) {
  std::vector<uint8_t> bytes;
  if (readInputFile(in, &bytes, reason) != 0) return 1;
  // driver decompresses once: a second layer would reach its parsers as GSCM.
  if (isGscm(bytes)) {
    *reason = "already compressed";
    return 1;
  }
  if (bytes.size() > GscmMaxOutputSize) {
    *reason = "larger than driver decompresses (16 MiB)";
    return 1;
  }
  return writeOutputFile(out, gscmCompress(bytes.data(), bytes.size()), reason);
}

int unpackFile(const std::string& in, const std::string& out, std::string* reason) {
  std::vector<uint8_t> bytes;
  if (readInputFile(in, &bytes, reason) != 0) return 1;
  std::vector<uint8_t> plain;
  uint32_t status = 0;  // set by a failed decompression
  if (bytes.size() > UINT32_MAX ||
      !gscmDecompress(bytes.data(), static_cast<uint32_t>(bytes.size()), &plain, &status)) {
    *reason = gscmStatusReason(status);
    return 1;
  }
  return writeOutputFile(out, plain, reason);
}
