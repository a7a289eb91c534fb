// The level writer: builds the 8648-byte image from scratch, then replaces the
// file atomically so a failed save never leaves a half-written level.
#include "data/level_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "data/byte_order.h"
#include "data/failure.h"

// The smallest class whose row holds the level; width must not exceed 80.
static int widthClassFor(int32_t width) {
  int widthClass = 6;
  while (widthClass > 0 && LevelWidthClassColumns[widthClass] < width) --widthClass;
  return widthClass;
}

struct MapWriter {
  uint8_t* image;
  int32_t columns;  // K
  bool outside;     // a cell fell past the map's 1971 cells
};

static void writeCell(MapWriter* map, int32_t col, int32_t row, uint32_t flags, uint32_t block) {
  int64_t cell = int64_t(row + 2) * (map->columns + 2) + col + 1;
  if (cell >= LevelMapCells) {
    map->outside = true;
    return;
  }
  size_t offset = 116 + 4 * size_t(cell);
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
  std::memcpy(image, "FORM", 4);
  putU32BE(image, 4, uint32_t(LevelFileSize - 8));
  std::memcpy(image + 8, "QXLV", 4);
  std::memcpy(image + 12, "QXLH", 4);
  putU32BE(image, 16, 74);
  std::memcpy(image + 20, level.name, 24);
  for (int i = 0; i < 8; ++i) {
    putU16LE(image, 44 + 2 * i, uint32_t(level.skillCode[i]));
    image[60 + i] = uint8_t(level.skillCount[i]);
  }
  putU16LE(image, 68, uint32_t(level.timeMinutes));
  putU16LE(image, 70, uint32_t(level.timeSeconds));
  putU16LE(image, 72, uint32_t(level.style));
  putU16LE(image, 74, uint32_t(level.startX * 16));
  putU16LE(image, 76, uint32_t(level.startY * 8));
  putU32LE(image, 78, 0);  // left and top limits: the level starts at the map's first column and row
  putU16LE(image, 82, uint32_t((level.width - 20) * 16));
  putU16LE(image, 84, uint32_t(level.height * 8 - 160));
  putU16LE(image, 86, level.keptWord);
  putU16LE(image, 88, uint32_t(level.releaseRate));
  putU32LE(image, 90, 0);

  std::memcpy(image + 94, "QXMH", 4);
  putU32BE(image, 98, 6);
  putU16LE(image, 102, uint32_t(level.style));
  putU16LE(image, 104, uint32_t(widthClass));
  putU16LE(image, 106, 0);
  std::memcpy(image + 108, "QXMP", 4);
  putU32BE(image, 112, 7884);
  std::memset(image + 116, 0, 7884);
  std::memcpy(image + 8000, "QXBO", 4);
  putU32BE(image, 8004, 640);
  std::memset(image + 8008, 0xFF, 640);
}

// Object records in list order; false when more than the file's 64 qualify.
static bool writeObjects(const Level& level, uint8_t* image) {
  int written = 0;
  for (const LevelObject* e = level.firstObject; e; e = e->next) {
    if (e->kind == ObjectKindTerrainCell || e->kind == ObjectKindTerrainPiece) continue;
    if (e->x < -1 || e->x >= level.width || e->y < -2 || e->y >= level.height) continue;
    if (written == LevelObjectRecords) return false;
    size_t record = 8008 + 10 * size_t(written++);
    putU16LE(image, record, e->value);
    putU16LE(image, record + 2, uint32_t((e->x - e->shiftX) * 16 + 16));
    putU16LE(image, record + 4, uint32_t((e->y - e->shiftY) * 8 + 16));
    putU16LE(image, record + 6, e->paramA);
    putU16LE(image, record + 8, e->paramB);
  }
  return true;
}

int buildLevelImage(const Level& level, uint8_t image[LevelFileSize]) {
  if (level.width > 80) {
    setFailureReason("level is wider than 80 blocks");
    return 1;
  }
  // Built in a scratch copy: a refused level leaves the caller's image as it was.
  uint8_t scratch[LevelFileSize];
  int widthClass = widthClassFor(level.width);
  writeHeader(level, widthClass, scratch);

  MapWriter map{scratch, LevelWidthClassColumns[widthClass], false};
  for (const LevelObject* e = level.firstObject; e; e = e->next) {
    if (e->kind == ObjectKindTerrainCell && e->x >= 0 && e->x < level.width && e->y >= 0 &&
        e->y < level.height)
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

// Mode for the new file: the old file's, or what a plain create would give.
static mode_t newFileMode(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0) return st.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

static std::string directoryOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

static bool writeAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0) return false;
    data += n;
    size -= size_t(n);
  }
  return true;
}

int saveLevel(const char* path, const Level& level) {
  uint8_t image[LevelFileSize];
  if (buildLevelImage(level, image) != 0) return 1;

  std::string tempPath = std::string(path) + ".XXXXXX";
  int fd = mkstemp(tempPath.data());
  if (fd < 0) {
    setFailureReason("cannot create a file in the level's directory");
    return 1;
  }
  bool ok = fchmod(fd, newFileMode(path)) == 0 && writeAll(fd, image, LevelFileSize) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok) {
    unlink(tempPath.c_str());
    setFailureReason("cannot write the level file");
    return 1;
  }
  if (rename(tempPath.c_str(), path) != 0) {
    unlink(tempPath.c_str());
    setFailureReason("cannot replace the level file");
    return 1;
  }
  // Make the rename itself durable.
  int dirFd = open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return 0;
}
