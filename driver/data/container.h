#pragma once
// The FORM container shared by style and level files: "FORM", a big-endian
// form length, a form type, then chunks of (4-byte id, big-endian length,
// data) back to back with no padding.

#include <cstddef>
#include <cstdint>

constexpr int StyleChunkCount = 12;

// The chunk ids the style reader knows, in index order:
// QXCL QXSS QXSF QXSA QXSI QXBE QXOB QXBF QXBA QXBI QXBL QXBS.
enum StyleChunk {
  ChunkPalette = 0,     // QXCL
  ChunkPieces = 5,      // QXBE
  ChunkObjects = 6,     // QXOB
  ChunkFrameData = 7,   // QXBF
  ChunkAnims = 8,       // QXBA
  ChunkBlocks = 10,     // QXBL
};
extern const char* const styleChunkIds[StyleChunkCount];

// Walks the chunks from offset 12 to the end of the buffer. Sets every offset
// to 0 first (lengths are not cleared); a known id stores its data offset and
// length under its index (a later repeat wins); unknown ids are skipped. The
// walk stops at a chunk header or chunk data that would run past the buffer.
void walkChunks(const uint8_t* data, size_t size,
                uint32_t offsets[StyleChunkCount], uint32_t lengths[StyleChunkCount]);
