// The level file reader: a whole file image (plain FORM or GSCM) into a Level.
//
// Every check that can refuse the file runs before the Level is touched, so a
// refused file leaves the previous level exactly as it was.
#include <cstdio>
#include <cstring>
#include <vector>

#include "data/byte_order.h"
#include "data/failure.h"
#include "data/gscm.h"
#include "data/level.h"

// Fields addObject leaves as the slot held them; the reader starts them clean
// so nothing of an earlier level's element survives into this one.
static void clearElementExtras(LevelObject* element) {
  element->flags = 0;
  element->shiftX = 0;
  element->shiftY = 0;
  element->width = 0;
  element->height = 0;
  element->cells = nullptr;
  element->state = 0;
}

static void addElement(uint32_t kind, uint32_t value, int32_t x, int32_t y, uint32_t paramA,
                       uint32_t paramB, Level* level) {
  // The pool holds more slots than a well-formed file can fill; a damaged
  // header that revisits map cells just stops adding when it is full.
  LevelObject* element = addObject(kind, value, x, y, paramA, paramB, level);
  if (element) clearElementExtras(element);
}

// Terrain: one element per non-empty cell, row by row. Cells the header
// places outside the map read as empty.
static void readTerrain(ByteReader* r, int32_t lb, int32_t tb, int32_t k, Level* level) {
  for (int32_t row = 0; row < level->height; ++row) {
    int64_t rowStart = int64_t(tb + row + 2) * (k + 2) + lb + 1;
    if (rowStart >= LevelMapCells) break;  // later rows start further on
    for (int32_t col = 0; col < level->width; ++col) {
      int64_t cell = rowStart + col;
      if (cell >= LevelMapCells) break;
      size_t offset = 116 + 4 * size_t(cell);
      uint16_t flagWord = readU16BE(r, offset);
      uint16_t block = readU16BE(r, offset + 2);
      if (block != 0) addElement(ObjectKindTerrainCell, block, col, row, flagWord, 0, level);
    }
  }
}

static void readObjects(ByteReader* r, int32_t lb, int32_t tb, Level* level) {
  for (int n = 0; n < LevelObjectRecords; ++n) {
    size_t record = 8008 + 10 * size_t(n);
    uint16_t type = readU16LE(r, record);
    if (type == 0xFFFF) break;
    // Signed pixels, divided with truncation toward zero.
    int32_t xPixels = int16_t(readU16LE(r, record + 2));
    int32_t yPixels = int16_t(readU16LE(r, record + 4));
    addElement(ObjectKindObject, type, xPixels / 16 - lb - 1, yPixels / 8 - tb - 2,
               readU16LE(r, record + 6), readU16LE(r, record + 8), level);
  }
}

static void readHeader(ByteReader* r, const uint8_t* data, Level* level) {
  std::memcpy(level->name, data + 20, 24);
  level->name[24] = 0;
  for (int i = 0; i < 8; ++i) {
    level->skillCode[i] = readU8(r, 44 + 2 * i);
    level->skillCount[i] = readU8(r, 60 + i);
  }
  level->timeMinutes = readU8(r, 68);
  level->timeSeconds = readU8(r, 70);
  level->startX = readU16LE(r, 74) >> 4;
  level->startY = readU16LE(r, 76) >> 3;
  level->keptWord = readU16LE(r, 86);
  int32_t rate = readU16LE(r, 88);
  level->releaseRate = rate > 16383 ? rate - 65536 : rate;
  level->style = readU16LE(r, 102);
}

static int parsePlain(const uint8_t* data, size_t size, bool wasCompressed, Level* level) {
  if (size != LevelFileSize) {
    setFailureReason(wasCompressed ? "wrong length after decompression"
                                   : "not a level file (wrong length)");
    return 1;
  }
  ByteReader r = makeReader(data, size);
  uint16_t widthClass = readU16LE(&r, 104);
  if (widthClass > 6) {
    setFailureReason("not a level file (width class above 6)");
    return 1;
  }
  int32_t k = LevelWidthClassColumns[widthClass];
  int32_t lb = readU16LE(&r, 78) >> 4;
  int32_t tb = readU16LE(&r, 80) >> 3;

  clearLevelObjects(level);
  readHeader(&r, data, level);
  level->width = (readU16LE(&r, 82) >> 4) + 20 - lb;
  level->height = (readU16LE(&r, 84) >> 3) + 20 - tb;
  readTerrain(&r, lb, tb, k, level);
  readObjects(&r, lb, tb, level);
  return 0;
}

int parseLevel(const uint8_t* data, size_t size, Level* level) {
  if (size >= 4 && std::memcmp(data, "GSCM", 4) == 0) {
    if (size > UINT32_MAX) {
      setFailureReason("compressed data is damaged");
      return 1;
    }
    std::vector<uint8_t> plain;
    uint32_t status = 0;
    if (!gscmDecompress(data, uint32_t(size), &plain, &status)) {
      setFailureReason("compressed data is damaged");
      return 1;
    }
    return parsePlain(plain.data(), plain.size(), true, level);
  }
  if (size < 4 || std::memcmp(data, "FORM", 4) != 0) {
    setFailureReason("not a level file (no FORM or GSCM header)");
    return 1;
  }
  return parsePlain(data, size, false, level);
}

int loadLevel(const char* path, Level* level) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    setFailureReason("file not found");
    return 1;
  }
  std::vector<uint8_t> bytes;
  bool readOk = std::fseek(file, 0, SEEK_END) == 0;
  long length = readOk ? std::ftell(file) : -1;
  readOk = readOk && length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
  if (readOk) {
    bytes.resize(size_t(length));
    readOk = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  if (!readOk) {
    setFailureReason("level file could not be read");
    return 1;
  }
  return parseLevel(bytes.data(), bytes.size(), level);
}
