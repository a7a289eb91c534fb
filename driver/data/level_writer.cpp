// The level writer: builds the 8648-byte image from scratch, then replaces the
// file atomically so a failed save never leaves a half-written level.
#include "data/level_writer.h"

#include <algorithm>
#include <cstring>

#include "data/byte_order.h"
#include "data/failure.h"
#include "levelfile/replace_file.h"

// The smallest class whose row holds the level; width must not exceed 80.
static int widthClassFor(int32_t width) {
  int widthClass = LevelWidthClasses - 1;
  while (widthClass > 0 && LevelWidthClassColumns[widthClass] < width) --widthClass;
  return widthClass;
}

struct MapWriter {
  uint8_t* image;
  int32_t columns;  // K
  bool outside;     // a cell fell past the map's 1971 cells
};

static void writeCell(MapWriter* map, int32_t col, int32_t row, uint32_t flags, uint32_t block) {
  int64_t cell = levelMapCell(map->columns, col, row);
  if (cell >= LevelMapCells) {
    map->outside = true;
    return;
  }
  size_t offset = levelMapCellOffset(cell);
  putU16BE(map->image, offset, flags);
  putU16BE(map->image, offset + 2, block);
}

// Writes a piece's non-zero cells that land inside the level. Only the part
// of its footprint that overlaps the level is visited, so absurd repetition
// counts cost nothing.
static void writePiece(MapWriter* map, const LevelObject& piece, int32_t width, int32_t height) {
  uint64_t tileW = piece.width / (uint64_t(piece.paramA) + 1);
  uint64_t tileH = piece.height / (uint64_t(piece.paramB) + 1);
  if (tileW == 0 || tileH == 0 || !piece.cells) return;
  int64_t right = piece.x + int64_t(tileW * (uint64_t(piece.paramA) + 1));   // exclusive
  int64_t bottom = piece.y + int64_t(tileH * (uint64_t(piece.paramB) + 1));
  // Rows from the first one past the map only repeat tile rows, so one tile
  // height of them, from wherever they start, settles whether the level fits.
  int64_t firstRowPastMap = LevelMapCells / (map->columns + 2) - 1;  // every cell of it is past
  int64_t rowStart = std::max<int64_t>(piece.y, 0);
  int64_t rowEnd = std::min<int64_t>({bottom, height, std::max(rowStart, firstRowPastMap) + int64_t(tileH)});
  for (int64_t row = rowStart; row < rowEnd; ++row) {
    uint64_t cy = uint64_t(row - piece.y) % tileH;
    for (int64_t col = std::max<int64_t>(piece.x, 0); col < std::min<int64_t>(right, width); ++col) {
      uint64_t cx = uint64_t(col - piece.x) % tileW;
      int32_t block = piece.cells[cy * tileW + cx];
      if (block != 0) writeCell(map, int32_t(col), int32_t(row), piece.flags, uint32_t(block));
    }
  }
}

static void writeHeader(const Level& level, int widthClass, uint8_t* image) {
  std::memcpy(image + LevelFormIdOffset, "FORM", 4);
  putU32BE(image, LevelFormLengthOffset, uint32_t(LevelFileSize - 8));
  std::memcpy(image + LevelFormTypeOffset, "QXLV", 4);
  std::memcpy(image + LevelHeaderIdOffset, "QXLH", 4);
  putU32BE(image, LevelHeaderLengthOffset, LevelHeaderLength);
  std::memcpy(image + LevelNameOffset, level.name, LevelNameSize);
  for (int i = 0; i < LevelSkillSlots; ++i) {
    putU16LE(image, LevelSkillCodeOffset + 2 * size_t(i), uint32_t(level.skillCode[i]));
    image[LevelSkillCountOffset + size_t(i)] = uint8_t(level.skillCount[i]);
  }
  putU16LE(image, LevelMinutesOffset, uint32_t(level.timeMinutes));
  putU16LE(image, LevelSecondsOffset, uint32_t(level.timeSeconds));
  putU16LE(image, LevelHeaderStyleOffset, uint32_t(level.style));
  putU16LE(image, LevelStartXOffset, uint32_t(level.startX * LevelPixelsPerBlock));
  putU16LE(image, LevelStartYOffset, uint32_t(level.startY * LevelPixelsPerRow));
  // Left and top limits 0: the level starts at the map's first column and row.
  putU16LE(image, LevelLeftLimitOffset, 0);
  putU16LE(image, LevelTopLimitOffset, 0);
  const int32_t rightLimit = (level.width - LevelStartViewBlocks) * LevelPixelsPerBlock;
  const int32_t bottomLimit = (level.height - LevelStartViewBlocks) * LevelPixelsPerRow;
  putU16LE(image, LevelRightLimitOffset, uint32_t(rightLimit));
  putU16LE(image, LevelBottomLimitOffset, uint32_t(bottomLimit));
  putU16LE(image, LevelKeptWordOffset, level.keptWord);
  putU16LE(image, LevelReleaseRateOffset, uint32_t(level.releaseRate));
  putU32LE(image, LevelHeaderZeroOffset, 0);

  std::memcpy(image + LevelMapHeaderIdOffset, "QXMH", 4);
  putU32BE(image, LevelMapHeaderLengthOffset, LevelMapHeaderLength);
  putU16LE(image, LevelMapStyleOffset, uint32_t(level.style));
  putU16LE(image, LevelWidthClassOffset, uint32_t(widthClass));
  putU16LE(image, LevelMapHeaderZeroOffset, 0);
  std::memcpy(image + LevelMapIdOffset, "QXMP", 4);
  putU32BE(image, LevelMapLengthOffset, LevelMapLength);
  std::memset(image + LevelMapOffset, 0, LevelMapLength);
  std::memcpy(image + LevelObjectsIdOffset, "QXBO", 4);
  putU32BE(image, LevelObjectsLengthOffset, LevelObjectsLength);
  std::memset(image + LevelObjectsOffset, 0xFF, LevelObjectsLength);
}

bool storedWhole(const Level& level, const LevelObject& e, int32_t x, int32_t y) {
  if (!isTerrainKind(e.kind)) return x >= -1 && x < level.width && y >= -2 && y < level.height;
  const int64_t across = e.kind == ObjectKindTerrainPiece ? int64_t{e.width} : 1;
  const int64_t down = e.kind == ObjectKindTerrainPiece ? int64_t{e.height} : 1;
  return x >= 0 && y >= 0 && x + across <= level.width && y + down <= level.height;
}

int elementsLeftOut(const Level& level) {
  int count = 0;
  forEachElement(level, [&](const LevelObject& e) { count += storedWhole(level, e, e.x, e.y) ? 0 : 1; });
  return count;
}

void adoptLevelPatch(const LevelPatch& patch, Level* level) {
  // The words the editor reads through their low byte keep their own high byte.
  const auto lowByte = [](int32_t word, uint8_t low) { return static_cast<int32_t>((word & ~0xFF) | low); };
  std::memcpy(level->name, patch.name, LevelNameStampSize);
  for (int i = 0; i < LevelSkillSlots; ++i) {
    level->skillCode[i] = lowByte(level->skillCode[i], patch.skillCode[i]);
    level->skillCount[i] = patch.quantity[i];
  }
  level->timeMinutes = lowByte(level->timeMinutes, patch.minutes);
  level->timeSeconds = lowByte(level->timeSeconds, patch.seconds);
  const int32_t rate = static_cast<uint16_t>(patch.releaseRate);
  level->releaseRate = rate > 16383 ? rate - 65536 : rate;  // as the reader takes the word
}

// Object records in list order; false when more than the file's 64 qualify.
static bool writeObjects(const Level& level, uint8_t* image) {
  int written = 0;
  for (const LevelObject* e = level.firstObject; e; e = e->next) {
    if (isTerrainKind(e->kind) || !storedWhole(level, *e, e->x, e->y)) continue;
    if (written == LevelObjectRecords) return false;
    size_t record = LevelObjectsOffset + LevelObjectRecordSize * size_t(written++);
    putU16LE(image, record + LevelObjectTypeField, e->value);
    // The stored position is one block right of and two rows below the element's.
    putU16LE(image, record + LevelObjectXField, uint32_t((e->x - e->shiftX + 1) * LevelPixelsPerBlock));
    putU16LE(image, record + LevelObjectYField, uint32_t((e->y - e->shiftY + 2) * LevelPixelsPerRow));
    putU16LE(image, record + LevelObjectParamAField, e->paramA);
    putU16LE(image, record + LevelObjectParamBField, e->paramB);
  }
  return true;
}

int buildLevelImage(const Level& level, uint8_t image[LevelFileSize]) {
  if (level.width > LevelWidthClassColumns[0]) {  // the widest class
    setFailureReason("level is wider than 80 blocks");
    return 1;
  }
  // Built in a scratch copy: a refused level leaves the caller's image as it was.
  uint8_t scratch[LevelFileSize];
  int widthClass = widthClassFor(level.width);
  writeHeader(level, widthClass, scratch);

  MapWriter map{scratch, LevelWidthClassColumns[widthClass], false};
  for (const LevelObject* e = level.firstObject; e; e = e->next) {
    if (e->kind == ObjectKindTerrainCell && storedWhole(level, *e, e->x, e->y))
      writeCell(&map, e->x, e->y, e->flags, e->value);
  }
  // Pieces go on top of single cells.
  for (const LevelObject* e = level.firstObject; e; e = e->next)
    if (e->kind == ObjectKindTerrainPiece) writePiece(&map, *e, level.width, level.height);
  if (map.outside) {
    setFailureReason("terrain lies outside the map (level too tall for its width)");
    return 1;
  }
  if (!writeObjects(level, scratch)) {
    setFailureReason("more than 64 objects to store");
    return 1;
  }
  std::memcpy(image, scratch, LevelFileSize);
  return 0;
}

int saveLevel(const char* path, const Level& level) {
  uint8_t image[LevelFileSize];
  if (buildLevelImage(level, image) != 0) return 1;
  const ReplaceStep failed = replaceFileAtomically(path, image, LevelFileSize, ReplaceAnyTarget).step;
  if (failed == ReplaceDone) return 0;
  setFailureReason(failed == ReplaceCreateFailed   ? "cannot create a file in the level's directory"
                   : failed == ReplaceRenameFailed ? "cannot replace the level file"
                                                   : "cannot write the level file");
  return 1;
}
