// Decoding a style file image into a Style.
//
// Contents: chunk location, palette, blocks (plane order), terrain pieces,
// frame data and animations, object definitions, per-style corrections,
// decodeStyle.
//
// Every chunk is read through a bounded reader over its own data, so a record
// that runs past its chunk fails the load instead of reading what follows.
#include <cstring>

#include "data/byte_order.h"
#include "data/failure.h"
#include "data/gscm.h"
#include "levelfile/data_folder.h"
#include "data/style.h"

// Animation cells across a whole style; a damaged file could otherwise ask for
// gigabytes (65535 frames of 65535 x 65535 cells). Real styles use a few
// thousand.
static constexpr uint64_t MaxAnimationCells = 1u << 21;

// Every "runs past its chunk" check ends the same way.
static bool chunkOverrun() {
  setFailureReason("style chunk runs past its data");
  return false;
}

// --- chunk location -----------------------------------------------------------

// A reader over one decoded chunk's data; false when the chunk is missing.
static bool chunkReader(const Style& style, int chunk, const uint8_t* data, size_t size, ByteReader* out) {
  uint32_t offset = style.chunkOffset[chunk];
  uint32_t length = style.chunkLength[chunk];
  if (offset == 0) {
    setFailureReason("style chunk is missing");
    return false;
  }
  ByteReader whole = makeReader(data, size);
  if (!hasBytes(&whole, offset, length)) return chunkOverrun();
  *out = makeReader(data + offset, length);
  return true;
}

// --- palette --------------------------------------------------------------------

// 6-bit levels after two unread bytes; times 4 kept to 8 bits, as stored.
static bool decodePalette(ByteReader* r, Style* style) {
  if (!hasBytes(r, 2, 128 * 3)) return chunkOverrun();
  for (int i = 0; i < 128; i++)
    for (int c = 0; c < 3; c++) style->palette[i][c] = static_cast<uint8_t>(readU8(r, 2 + 3 * i + c) * 4);
  return true;
}

// --- blocks ---------------------------------------------------------------------

// A stored block holds four planes of 32 bytes, plane q being the pixels whose
// x mod 4 = q; stored byte k is row-major pixel (k mod 32) * 4 + k / 32.
static bool decodeBlocks(ByteReader* r, Style* style) {
  uint32_t count = readU16LE(r, 0);
  if (r->overrun || !hasBytes(r, 2, size_t{count} * 128)) return chunkOverrun();
  style->blockCount = count;
  if (count == 0) return true;
  style->blockPixels.resize(size_t{count} * 128);
  const uint8_t* stored = r->data + 2;
  for (size_t b = 0; b < count; b++)
    for (int k = 0; k < 128; k++) style->blockPixels[b * 128 + (k % 32) * 4 + k / 32] = stored[b * 128 + k];
  return true;
}

// --- terrain pieces -------------------------------------------------------------

static bool decodePieces(ByteReader* r, Style* style) {
  uint32_t count = readU16LE(r, 0);
  if (r->overrun) return chunkOverrun();
  style->pieces.resize(count);
  size_t pos = 2;
  for (BlockPattern& piece : style->pieces) {
    if (!hasBytes(r, pos, 6)) return chunkOverrun();
    piece = BlockPattern{};
    piece.width = readU8(r, pos + 2);
    piece.height = readU8(r, pos + 3);
    piece.frameCount = 1;
    piece.cellCount = piece.width * piece.height;
    piece.isPiece = 1;
    if (!hasBytes(r, pos + 6, size_t{piece.cellCount} * 2)) return chunkOverrun();
    piece.cells.resize(piece.cellCount);
    for (uint32_t i = 0; i < piece.cellCount; i++) piece.cells[i] = readU16LE(r, pos + 6 + 2 * i);
    pos += 6 + size_t{piece.cellCount} * 2;
  }
  style->pieceCount = count;
  return true;
}

// --- frame data and animations --------------------------------------------------

// The frame data is a list of length-prefixed runs; animations address the
// runs concatenated from the start of the chunk, the length words dropped.
// Concatenating in place keeps any bytes after the runs where they were.
static bool concatenateFrameData(ByteReader* r, std::vector<uint8_t>* frames) {
  frames->assign(r->data, r->data + r->size);
  uint32_t runs = readU16LE(r, 0);
  size_t pos = 2, out = 0;
  for (uint32_t i = 0; i < runs; i++) {
    uint32_t length = readU16LE(r, pos);
    if (r->overrun || !hasBytes(r, pos + 2, length)) return chunkOverrun();
    std::memmove(frames->data() + out, frames->data() + pos + 2, length);
    out += length;
    pos += 2 + size_t{length};
  }
  if (r->overrun) return chunkOverrun();
  return true;
}

static bool decodeAnimations(ByteReader* r, const std::vector<uint8_t>& frames, Style* style) {
  uint32_t count = readU16LE(r, 0);
  if (r->overrun) return chunkOverrun();
  style->anims.resize(count);
  uint64_t totalCells = 0;
  size_t pos = 2;
  for (BlockPattern& anim : style->anims) {
    if (!hasBytes(r, pos, 6)) return chunkOverrun();
    anim = BlockPattern{};
    anim.recordOffset = static_cast<uint32_t>(pos - 2);
    anim.frameCount = readU16LE(r, pos);
    anim.width = readU16LE(r, pos + 2);
    anim.height = readU16LE(r, pos + 4);
    anim.cellCount = anim.width * anim.height;
    anim.isPiece = 0;
    if (anim.cellCount == 0) {
      pos += 6;
      continue;
    }
    size_t frameBytes = size_t{anim.cellCount} * 2;
    totalCells += uint64_t{anim.frameCount} * anim.cellCount;
    if (!hasBytes(r, pos + 6, size_t{anim.frameCount} * 2) || frameBytes > frames.size())
      return chunkOverrun();
    if (totalCells > MaxAnimationCells) {
      setFailureReason("style animations are too large");
      return false;
    }
    anim.cells.resize(size_t{anim.frameCount} * anim.cellCount);
    for (uint32_t f = 0; f < anim.frameCount; f++) {
      size_t at = readU16LE(r, pos + 6 + 2 * f);
      if (at > frames.size() - frameBytes) {
        setFailureReason("animation frame runs past the frame data");
        return false;
      }
      int32_t* cells = anim.cells.data() + size_t{f} * anim.cellCount;
      for (uint32_t i = 0; i < anim.cellCount; i++)
        cells[i] = frames[at + 2 * i] | frames[at + 2 * i + 1] << 8;
    }
    pos += 6 + size_t{anim.frameCount} * 2;
  }
  style->animCount = count;
  return true;
}

// --- object definitions ---------------------------------------------------------

// A part names its animation by record offset; failing that the link byte is
// taken as an animation index.
static BlockPattern* findPartAnimation(Style* style, uint32_t link) {
  for (BlockPattern& anim : style->anims)
    if (anim.recordOffset == link) return &anim;
  return link < style->anims.size() ? &style->anims[link] : nullptr;
}

static bool decodeObjectDefs(ByteReader* r, Style* style) {
  uint32_t count = readU16LE(r, 0);
  if (r->overrun) return chunkOverrun();
  style->objectDefs.resize(count);
  size_t pos = 2;
  for (ObjectDef& def : style->objectDefs) {
    if (!hasBytes(r, pos, 20)) return chunkOverrun();
    def = ObjectDef{};
    def.partCount = readU8(r, pos);
    def.typeCode = readU16LE(r, pos + 2);
    pos += 20;
    if (!hasBytes(r, pos, size_t{def.partCount} * 12)) return chunkOverrun();
    if (def.partCount == 0) continue;
    def.partAnim.resize(def.partCount);
    def.partDx.resize(def.partCount);
    def.partDy.resize(def.partCount);
    def.partMode.resize(def.partCount);
    def.partExtra.resize(def.partCount);
    for (uint32_t p = 0; p < def.partCount; p++, pos += 12) {
      def.partMode[p] = readU8(r, pos + 1);
      // Pixels to blocks and rows, truncating toward zero: -20 px is -1 block.
      def.partDx[p] = static_cast<int16_t>(readU16LE(r, pos + 2)) / 16;
      def.partDy[p] = static_cast<int16_t>(readU16LE(r, pos + 4)) / 8;
      def.partExtra[p] = readU8(r, pos + 9);
      def.partAnim[p] = findPartAnimation(style, readU8(r, pos + 10));
    }
  }
  style->objectDefCount = count;
  return true;
}

// --- per-style corrections ------------------------------------------------------

struct PartCorrection {
  int style;
  uint32_t def;
  uint32_t anim;  // part 0 of def takes this animation
};
static const PartCorrection partCorrections[] = {{4, 13, 18}, {5, 13, 18}, {7, 6, 14}};

// A row naming a definition, part or animation the style lacks is skipped.
static void applyCorrections(Style* style) {
  for (const PartCorrection& row : partCorrections) {
    if (row.style != style->styleIndex || row.def >= style->objectDefs.size()) continue;
    ObjectDef& def = style->objectDefs[row.def];
    if (def.partAnim.empty() || row.anim >= style->anims.size()) continue;
    def.partAnim[0] = &style->anims[row.anim];
  }
}

// --- decodeStyle ----------------------------------------------------------------

static bool decodeChunks(const uint8_t* data, size_t size, Style* style) {
  std::memset(style->chunkOffset, 0, sizeof style->chunkOffset);
  std::memset(style->chunkLength, 0, sizeof style->chunkLength);
  walkChunks(data, size, style->chunkOffset, style->chunkLength);
  ByteReader r;
  std::vector<uint8_t> frames;
  if (!chunkReader(*style, ChunkPalette, data, size, &r) || !decodePalette(&r, style)) return false;
  if (!chunkReader(*style, ChunkBlocks, data, size, &r) || !decodeBlocks(&r, style)) return false;
  if (!chunkReader(*style, ChunkPieces, data, size, &r) || !decodePieces(&r, style)) return false;
  if (!chunkReader(*style, ChunkFrameData, data, size, &r) || !concatenateFrameData(&r, &frames))
    return false;
  if (!chunkReader(*style, ChunkAnims, data, size, &r) || !decodeAnimations(&r, frames, style)) return false;
  if (!chunkReader(*style, ChunkObjects, data, size, &r) || !decodeObjectDefs(&r, style)) return false;
  applyCorrections(style);
  return true;
}

int decodeStyle(int index, const uint8_t* data, size_t size, Style* style) {
  freeStyle(style);
  style->styleIndex = index;
  std::vector<uint8_t> unpacked;
  if (hasGscmMagic(data, size)) {
    uint32_t status = 0;
    if (size > UINT32_MAX || !gscmDecompress(data, static_cast<uint32_t>(size), &unpacked, &status)) {
      setFailureReason("compressed style data is damaged");
      return 1;
    }
    data = unpacked.data();
    size = unpacked.size();
  }
  if (!decodeChunks(data, size, style)) {
    freeStyle(style);
    return 1;
  }
  return 0;
}
