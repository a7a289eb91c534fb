#pragma once
// The in-memory style: palette, blocks, terrain pieces, animations and object
// definitions, read from "STYLES/<STEM>.DAT". Only files whose stored size and
// CRC-32 match the style table are accepted.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "data/container.h"

constexpr int StyleCount = 12;

struct StyleTableEntry {
  const char* stem;   // upper-case file stem, at most 8 characters
  uint32_t size;      // stored file size in bytes
  uint32_t crc;       // CRC-32 of the stored file
};
extern const StyleTableEntry styleTable[StyleCount];
extern const char* const styleDisplayNames[StyleCount];  // what titles and catalogues call each style

// Shared by terrain pieces and animations.
struct BlockPattern {
  uint32_t width;       // columns, in blocks
  uint32_t height;      // rows
  uint32_t frameCount;  // animations: frames; pieces: unused (1)
  uint32_t cellCount;   // width * height
  std::vector<int32_t> cells;  // frame by frame, row by row: block numbers; empty for none
  uint32_t recordOffset;  // animations: byte offset of its record from the first QXBA record
  uint32_t isPiece;       // 1: a cell value 0 is empty; 0 (animation): 0 is block 0
};

struct ObjectDef {
  uint32_t typeCode;    // 16-bit type code from the definition header
  uint32_t partCount;   // parts; binding may lower it for definition 1, never above partAnim.size()
  std::vector<BlockPattern*> partAnim;  // animation of each part, or none
  std::vector<int32_t> partDx;     // part offset in blocks
  std::vector<int32_t> partDy;     // part offset in rows
  std::vector<int32_t> partMode;   // byte 1 of the part record
  std::vector<int32_t> partExtra;  // byte 9 of the part record
  int32_t shiftX, shiftY;          // filled by bindLevelToStyle
  int32_t width, height;           // extent in blocks and rows; filled by bindLevelToStyle
  int32_t kind;                    // ObjectKind for level objects of this definition; filled by bindLevelToStyle
};

// The arrays are std::vectors: a Style may be moved or swapped as a whole and
// partAnim references stay valid because the anims buffer moves with it.
struct Style {
  uint32_t chunkOffset[StyleChunkCount];  // valid only while loading
  uint32_t chunkLength[StyleChunkCount];
  uint8_t palette[128][3];   // 8-bit red, green, blue
  int32_t styleIndex;        // 0..11
  uint32_t blockCount;
  std::vector<uint8_t> blockPixels;  // blockCount * 128: 8 rows of 16 palette indices, top row first
  uint32_t pieceCount;
  std::vector<BlockPattern> pieces;
  uint32_t animCount;
  std::vector<BlockPattern> anims;
  uint32_t objectDefCount;
  std::vector<ObjectDef> objectDefs;
};

// CRC-32 (IEEE 802.3, reflected polynomial EDB88320); crc32("abc") = 352441C2.
uint32_t crc32(const uint8_t* data, size_t size);

// Decodes the chunks of a whole stored style file image (plain or GSCM) for
// style index. 0 on success; 1 on failure with failureReason() set and the
// style emptied (no arrays, counts 0). Does not check size or CRC.
int decodeStyle(int index, const uint8_t* data, size_t size, Style* style);

// DATA/STYLES/<STEM>.DAT of a style index; "" for dataDir gives the path from
// the current directory.
std::string stylePathIn(const std::string& dataDir, int index);

// Reads "STYLES/<STEM>.DAT", checks index, size and CRC-32 against the table,
// then decodes. 0 on success, 1 on failure (style emptied, reason set).
int loadStyle(int index, Style* style);

// The same checks and decoding for a style file at any path (tools that are
// given a data folder rather than running inside one).
int loadStyleFile(int index, const char* path, Style* style);

// Releases the arrays and sets every count to 0.
void freeStyle(Style* style);
