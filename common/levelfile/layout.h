#pragma once
// The level file's layout. An uncompressed level file is a FORM container of
// form type QXLV holding four chunks at fixed offsets: QXLH (header), QXMH
// (map header), QXMP (map) and QXBO (objects). Chunk ids are four bytes, each
// followed by the chunk's data length as a u32 big-endian; header and record
// fields are little-endian, map cells big-endian. Offsets count from the start
// of the file.

#include <cstddef>
#include <cstdint>

constexpr size_t LevelFileSize = 8648;

// Container and chunk headers.
constexpr size_t LevelFormIdOffset = 0;          // "FORM"
constexpr size_t LevelFormLengthOffset = 4;      // LevelFileSize - 8
constexpr size_t LevelFormTypeOffset = 8;        // "QXLV"
constexpr size_t LevelHeaderIdOffset = 12;       // "QXLH"
constexpr size_t LevelHeaderLengthOffset = 16;
constexpr uint32_t LevelHeaderLength = 74;

// QXLH data. The skill, minute and second words are read through their low
// byte only, so a writer that changes just that byte changes the value.
constexpr size_t LevelNameOffset = 20;
constexpr size_t LevelNameSize = 24;             // bytes; need not end in a zero
constexpr size_t LevelNameStampSize = 20;        // the leading part the skills form rewrites, blank-padded
constexpr int LevelSkillSlots = 8;
constexpr size_t LevelSkillCodeOffset = 44;      // u16 per slot, at + 2 x slot
constexpr size_t LevelSkillCountOffset = 60;     // one byte per slot, at + slot
constexpr size_t LevelMinutesOffset = 68;        // u16
constexpr size_t LevelSecondsOffset = 70;        // u16
constexpr size_t LevelHeaderStyleOffset = 72;    // u16, written but never read: the map header's copy counts
constexpr size_t LevelStartXOffset = 74;         // u16, start view left edge, pixels
constexpr size_t LevelStartYOffset = 76;         // u16, start view top edge, pixels
constexpr size_t LevelLeftLimitOffset = 78;      // u16, smallest left edge of the start view, pixels
constexpr size_t LevelTopLimitOffset = 80;       // u16, smallest top edge of the start view, pixels
constexpr size_t LevelRightLimitOffset = 82;     // u16, largest left edge of the start view, pixels
constexpr size_t LevelBottomLimitOffset = 84;    // u16, largest top edge of the start view, pixels
constexpr size_t LevelKeptWordOffset = 86;       // u16, carried through unchanged
constexpr size_t LevelReleaseRateOffset = 88;    // u16, two's complement
constexpr size_t LevelHeaderZeroOffset = 90;     // u32 zero

// The start view is 20 x 20 blocks; the limits bound its position, so the
// level's right and bottom edges are the largest position plus this size.
constexpr int32_t LevelStartViewBlocks = 20;
constexpr int32_t LevelPixelsPerBlock = 16;      // positions across are stored in pixels
constexpr int32_t LevelPixelsPerRow = 8;         // positions down are stored in pixels

// QXMH data.
constexpr size_t LevelMapHeaderIdOffset = 94;    // "QXMH"
constexpr size_t LevelMapHeaderLengthOffset = 98;
constexpr uint32_t LevelMapHeaderLength = 6;
constexpr size_t LevelMapStyleOffset = 102;      // u16, style index 0..11
constexpr size_t LevelWidthClassOffset = 104;    // u16, 0..LevelWidthClasses-1
constexpr size_t LevelMapHeaderZeroOffset = 106; // u16 zero

// Level columns K of each width class. The map is laid out in rows of K + 2
// cells: a border cell on each side, and two border rows above the level.
constexpr int LevelWidthClasses = 7;
constexpr int32_t LevelWidthClassColumns[LevelWidthClasses] = {80, 64, 50, 40, 32, 24, 20};

// QXMP: the map, cells of a u16 flag word and a u16 block number (0 = empty).
constexpr size_t LevelMapIdOffset = 108;         // "QXMP"
constexpr size_t LevelMapLengthOffset = 112;
constexpr size_t LevelMapOffset = 116;
constexpr uint32_t LevelMapLength = 7884;
constexpr size_t LevelMapCellSize = 4;
constexpr int LevelMapCells = int(LevelMapLength / LevelMapCellSize);  // 1971

// QXBO: object records of five u16 fields (type, x and y in signed pixels,
// parameter A, parameter B); the first record of type 0xFFFF ends the list and
// unused records are all FF bytes.
constexpr size_t LevelObjectsIdOffset = 8000;    // "QXBO"
constexpr size_t LevelObjectsLengthOffset = 8004;
constexpr size_t LevelObjectsOffset = 8008;
constexpr uint32_t LevelObjectsLength = 640;
constexpr size_t LevelObjectRecordSize = 10;
constexpr int LevelObjectRecords = int(LevelObjectsLength / LevelObjectRecordSize);  // 64
constexpr uint16_t LevelObjectEndType = 0xFFFF;
constexpr size_t LevelObjectTypeField = 0;       // offsets inside a record
constexpr size_t LevelObjectXField = 2;
constexpr size_t LevelObjectYField = 4;
constexpr size_t LevelObjectParamAField = 6;
constexpr size_t LevelObjectParamBField = 8;

// Number of the map cell at map column `column` and row `row`, both counted
// from the first column and row after the border, in a map of K columns.
constexpr int64_t levelMapCell(int32_t columns, int64_t column, int64_t row) {
  return (row + 2) * (columns + 2) + column + 1;
}

// File offset of a map cell's flag word; its block number follows.
constexpr size_t levelMapCellOffset(int64_t cell) { return LevelMapOffset + LevelMapCellSize * size_t(cell); }

// The chunks tile the file: each id and length word, then its data.
static_assert(LevelHeaderIdOffset + 8 + LevelHeaderLength == LevelMapHeaderIdOffset);
static_assert(LevelMapHeaderIdOffset + 8 + LevelMapHeaderLength == LevelMapIdOffset);
static_assert(LevelMapIdOffset + 8 + LevelMapLength == LevelObjectsIdOffset);
static_assert(LevelObjectsIdOffset + 8 + LevelObjectsLength == LevelFileSize);
static_assert(LevelHeaderZeroOffset + 4 == LevelMapHeaderIdOffset);  // the header's last field
static_assert(LevelMapHeaderZeroOffset + 2 == LevelMapIdOffset);
static_assert(LevelMapCells * LevelMapCellSize == LevelMapLength);
static_assert(LevelObjectRecords * LevelObjectRecordSize == LevelObjectsLength);
