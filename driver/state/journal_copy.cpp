// Recovery copies: the level image S would write followed by every element.
#include "state/journal_copy.h"

#include <cstring>
#include <utility>

#include "data/byte_order.h"
#include "data/failure.h"
#include "data/level_writer.h"

static constexpr char JournalMagic[4] = {'L', 'K', 'R', 'C'};

// A field added to LevelObject must be journalled too, or a restore loses it;
// the links, the selection and the in-use mark are rebuilt, the cells follow
// the piece index.
static_assert(sizeof(LevelObject) == 80, "journal the new LevelObject field in put/getJournalElement");

static void putJournalElement(uint8_t* out, const LevelObject& e) {
  const uint32_t fields[] = {e.kind,  e.value,          e.paramA,         e.paramB,
                             e.flags, uint32_t(e.shiftX), uint32_t(e.shiftY), e.width,
                             e.height, uint32_t(e.x),    uint32_t(e.y)};
  static_assert(sizeof fields == JournalElementSize);
  for (size_t i = 0; i < JournalElementSize / 4; ++i) putU32LE(out, 4 * i, fields[i]);
}

static void getJournalElement(ByteReader* r, size_t at, LevelObject* e) {
  auto field = [&](size_t i) { return readU32LE(r, at + 4 * i); };
  e->kind = field(0);
  e->value = field(1);
  e->paramA = field(2);
  e->paramB = field(3);
  e->flags = field(4);
  e->shiftX = int32_t(field(5));
  e->shiftY = int32_t(field(6));
  e->width = field(7);
  e->height = field(8);
  e->x = int32_t(field(9));
  e->y = int32_t(field(10));
}

int encodeJournalCopy(int number, const Level& level, std::vector<uint8_t>* out) {
  out->clear();
  const size_t trailer = LevelFileSize + JournalTrailerHead;
  std::vector<uint8_t> bytes(trailer + JournalElementSize * level.objectCount + 4);
  if (buildLevelImage(level, bytes.data()) != 0) return 1;
  std::memcpy(&bytes[trailer - JournalTrailerHead], JournalMagic, sizeof JournalMagic);
  putU16LE(bytes.data(), LevelFileSize + 4, JournalCopyVersion);
  putU16LE(bytes.data(), LevelFileSize + 6, uint32_t(number));
  uint32_t count = 0;
  forEachElement(level, [&](const LevelObject& e) {
    putJournalElement(&bytes[trailer + JournalElementSize * count++], e);
  });
  putU32LE(bytes.data(), LevelFileSize + 8, count);
  bytes.resize(trailer + JournalElementSize * count + 4);
  putU32LE(bytes.data(), bytes.size() - 4, crc32(bytes.data(), bytes.size() - 4));
  *out = std::move(bytes);
  return 0;
}

static int journalDamaged(const char* reason) {
  setFailureReason(reason);
  return 1;
}

int decodeJournalCopy(const uint8_t* data, size_t size, int* number, Level* level) {
  const size_t trailer = LevelFileSize + JournalTrailerHead;
  if (size < trailer + 4 || std::memcmp(data + LevelFileSize, JournalMagic, sizeof JournalMagic) != 0)
    return journalDamaged("not a recovery copy (too short or no trailer)");
  ByteReader r = makeReader(data, size);
  if (readU16LE(&r, LevelFileSize + 4) != JournalCopyVersion)
    return journalDamaged("a recovery copy of another version");
  const uint32_t count = readU32LE(&r, LevelFileSize + 8);
  if (count > LevelPoolSize || size != trailer + JournalElementSize * count + 4)
    return journalDamaged("recovery copy has the wrong length");
  if (readU32LE(&r, size - 4) != crc32(data, size - 4)) return journalDamaged("recovery copy is damaged (checksum)");

  Level read;
  if (parseLevel(data, LevelFileSize, &read) != 0) return 1;  // the reader's reason stands
  clearLevelObjects(&read);
  for (uint32_t i = 0; i < count; ++i) {
    LevelObject e{};
    getJournalElement(&r, trailer + JournalElementSize * i, &e);
    if (e.kind < ObjectKindTerrainCell || e.kind > ObjectKindStillByOverride)
      return journalDamaged("recovery copy holds an element of no known kind");
    LevelObject* added = addObject(e.kind, e.value, e.x, e.y, e.paramA, e.paramB, &read);
    if (!added) return journalDamaged("recovery copy holds more elements than a level");
    added->flags = e.flags;
    added->shiftX = e.shiftX;
    added->shiftY = e.shiftY;
    added->width = e.width;
    added->height = e.height;
    added->cells = nullptr;
    added->state = NotSelected;
  }
  *number = readU16LE(&r, LevelFileSize + 6);
  *level = std::move(read);
  return 0;
}

int attachJournalStyle(const Style& style, Level* level) {
  bool fits = true;
  forEachElement(*level, [&](LevelObject& e) {
    if (e.kind == ObjectKindTerrainPiece) {
      if (e.value < style.pieces.size()) e.cells = style.pieces[e.value].cells.data();
      else fits = false;
    } else if (e.kind == ObjectKindTerrainCell) {
      fits = fits && e.value < style.blockCount;
    } else {
      fits = fits && e.value < style.objectDefs.size();
    }
  });
  if (!fits) setFailureReason("recovery copy names a piece, block or object its style lacks");
  return fits ? 0 : 1;
}
