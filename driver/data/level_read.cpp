// The level file reader: a whole file image (plain FORM or GSCM) into a Level.
//
// Every check that can refuse the file runs before the Level is touched, so a
// refused file leaves the previous level exactly as it was.
#include <cstring>
#include <vector>

#include "data/byte_order.h"
#include "data/failure.h"
#include "data/gscm.h"
#include "levelfile/data_folder.h"
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
  element->state = NotSelected;
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
    int64_t rowStart = levelMapCell(k, lb, int64_t(tb) + row);
    if (rowStart >= LevelMapCells) break;  // later rows start further on
    for (int32_t col = 0; col < level->width; ++col) {
      int64_t cell = rowStart + col;
      if (cell >= LevelMapCells) break;
      size_t offset = levelMapCellOffset(cell);
      uint16_t flagWord = readU16BE(r, offset);
      uint16_t block = readU16BE(r, offset + 2);
      if (block != 0) addElement(ObjectKindTerrainCell, block, col, row, flagWord, 0, level);
    }
  }
}

static void readObjects(ByteReader* r, int32_t lb, int32_t tb, Level* level) {
  for (int n = 0; n < LevelObjectRecords; ++n) {
    size_t record = LevelObjectsOffset + LevelObjectRecordSize * size_t(n);
    uint16_t type = readU16LE(r, record + LevelObjectTypeField);
    if (type == LevelObjectEndType) break;
    // Signed pixels, divided with truncation toward zero.
    int32_t xPixels = int16_t(readU16LE(r, record + LevelObjectXField));
    int32_t yPixels = int16_t(readU16LE(r, record + LevelObjectYField));
    int32_t x = xPixels / LevelPixelsPerBlock - lb - 1;
    int32_t y = yPixels / LevelPixelsPerRow - tb - 2;
    addElement(ObjectKindObject, type, x, y, readU16LE(r, record + LevelObjectParamAField),
               readU16LE(r, record + LevelObjectParamBField), level);
  }
}

static void readHeader(ByteReader* r, const uint8_t* data, Level* level) {
  std::memcpy(level->name, data + LevelNameOffset, LevelNameSize);
  level->name[LevelNameSize] = 0;
  for (int i = 0; i < LevelSkillSlots; ++i) {
    level->skillCode[i] = readU8(r, LevelSkillCodeOffset + 2 * size_t(i));
    level->skillCount[i] = readU8(r, LevelSkillCountOffset + size_t(i));
  }
  level->timeMinutes = readU8(r, LevelMinutesOffset);
  level->timeSeconds = readU8(r, LevelSecondsOffset);
  level->startX = readU16LE(r, LevelStartXOffset) >> 4;
  level->startY = readU16LE(r, LevelStartYOffset) >> 3;
  level->keptWord = readU16LE(r, LevelKeptWordOffset);
  int32_t rate = readU16LE(r, LevelReleaseRateOffset);
  level->releaseRate = rate > 16383 ? rate - 65536 : rate;
  level->style = readU16LE(r, LevelMapStyleOffset);
}

static int parsePlain(const uint8_t* data, size_t size, bool wasCompressed, Level* level) {
  if (size != LevelFileSize) {
    setFailureReason(wasCompressed ? "wrong length after decompression"
                                   : "not a level file (wrong length)");
    return 1;
  }
  ByteReader r = makeReader(data, size);
  uint16_t widthClass = readU16LE(&r, LevelWidthClassOffset);
  if (widthClass >= LevelWidthClasses) {
    setFailureReason("not a level file (width class above 6)");
    return 1;
  }
  int32_t k = LevelWidthClassColumns[widthClass];
  int32_t lb = readU16LE(&r, LevelLeftLimitOffset) >> 4;
  int32_t tb = readU16LE(&r, LevelTopLimitOffset) >> 3;

  clearLevelObjects(level);
  readHeader(&r, data, level);
  level->width = (readU16LE(&r, LevelRightLimitOffset) >> 4) + LevelStartViewBlocks - lb;
  level->height = (readU16LE(&r, LevelBottomLimitOffset) >> 3) + LevelStartViewBlocks - tb;
  readTerrain(&r, lb, tb, k, level);
  readObjects(&r, lb, tb, level);
  return 0;
}

int parseLevel(const uint8_t* data, size_t size, Level* level) {
  if (hasGscmMagic(data, size)) {
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
