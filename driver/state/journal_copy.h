#pragma once
// A recovery copy of one level: the bytes the journal writes while the level
// holds unsaved edits, and reads back at the next start.
//
// Layout: the LevelFileSize bytes S would write, so the head of a copy is a
// level file a user can cut out by hand; then a trailer, little-endian:
//   +0   "LKRC"                     magic
//   +4   u16 JournalCopyVersion
//   +6   u16 level number
//   +8   u32 element count N        at most LevelPoolSize
//   +12  N records of JournalElementSize bytes: kind, value, paramA, paramB,
//        flags, shiftX, shiftY, width, height, x, y (4 bytes each)
//   +12 + N * JournalElementSize    u32 CRC-32 of every byte before it
// The trailer holds every element in list order, also what the level file
// cannot store (elements outside the level, pieces not yet flattened into
// cells), so a restore gives back the level exactly as the editor held it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/level.h"
#include "data/style.h"

constexpr uint16_t JournalCopyVersion = 1;
constexpr size_t JournalTrailerHead = 12;  // magic, version, number, count
constexpr size_t JournalElementSize = 44;

// The copy of `level` as level `number`. 0 on success; 1 when the writer
// refuses the level (failureReason() says why), out left empty.
int encodeJournalCopy(int number, const Level& level, std::vector<uint8_t>* out);

// Reads a copy back: its level number, the header fields from the level image
// and the elements from the trailer, unselected, pieces without cells (see
// attachJournalStyle). 0 on success; 1 when the copy is damaged, of another
// version or another size (failureReason() says why), level untouched.
int decodeJournalCopy(const uint8_t* data, size_t size, int* number, Level* level);

// Points the decoded level's pieces at their cells in `style`. 0 on success;
// 1 when an element names a piece or object the style lacks.
int attachJournalStyle(const Style& style, Level* level);
