// The chunk walk over a FORM container.
#include "data/container.h"

#include <cstring>

#include "data/byte_order.h"

const char* const styleChunkIds[StyleChunkCount] = {"QXCL", "QXSS", "QXSF", "QXSA", "QXSI", "QXBE",
                                                    "QXOB", "QXBF", "QXBA", "QXBI", "QXBL", "QXBS"};

void walkChunks(const uint8_t* data, size_t size,
                uint32_t offsets[StyleChunkCount], uint32_t lengths[StyleChunkCount]) {
  for (int i = 0; i < StyleChunkCount; ++i) offsets[i] = 0;
  ByteReader r = makeReader(data, size);
  size_t pos = 12;
  while (pos < size) {
    // A header or data running past the buffer ends the walk: the tables
    // only ever describe bytes that exist.
    if (!hasBytes(&r, pos, 8)) break;
    uint32_t length = readU32BE(&r, pos + 4);
    size_t dataStart = pos + 8;
    if (!hasBytes(&r, dataStart, length)) break;
    for (int i = 0; i < StyleChunkCount; ++i) {
      if (std::memcmp(data + pos, styleChunkIds[i], 4) == 0) {
        offsets[i] = uint32_t(dataStart);
        lengths[i] = length;
        break;
      }
    }
    pos = dataStart + length;
  }
}
