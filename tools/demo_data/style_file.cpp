// Storing a demo style: the chunks the reader decodes in a FORM container,
// optionally GSCM-compressed, padded to the table's size and CRC-32.
#include <cstdio>
#include <cstring>

#include "compress/gscm_compress.h"
#include "data/byte_order.h"
#include "demo_files.h"

namespace {

void putBytes(std::vector<uint8_t>* out, const char* text) {
  out->insert(out->end(), text, text + std::strlen(text));
}
void putU16(std::vector<uint8_t>* out, uint32_t value) {
  out->push_back(static_cast<uint8_t>(value));
  out->push_back(static_cast<uint8_t>(value >> 8));
}

void putChunk(std::vector<uint8_t>* out, const char* id, const std::vector<uint8_t>& data) {
  putBytes(out, id);
  size_t at = out->size();
  out->resize(at + 4);
  putU32BE(out->data(), at, static_cast<uint32_t>(data.size()));
  out->insert(out->end(), data.begin(), data.end());
}

std::vector<uint8_t> paletteChunk(const DemoStyle& style) {
  std::vector<uint8_t> data(2, 0);
  for (const auto& colour : style.palette) data.insert(data.end(), colour, colour + 3);
  return data;
}

// Blocks are stored in four planes: stored byte k is pixel (k mod 32) * 4 + k / 32.
std::vector<uint8_t> blockChunk(const DemoStyle& style) {
  std::vector<uint8_t> data;
  putU16(&data, static_cast<uint32_t>(style.blocks.blocks.size()));
  for (const BlockImage& block : style.blocks.blocks)
    for (int k = 0; k < 128; k++) data.push_back(block[static_cast<size_t>((k % 32) * 4 + k / 32)]);
  return data;
}

std::vector<uint8_t> pieceChunk(const DemoStyle& style) {
  std::vector<uint8_t> data;
  putU16(&data, static_cast<uint32_t>(style.pieces.size()));
  for (const DemoPattern& piece : style.pieces) {
    putU16(&data, 0);
    data.push_back(static_cast<uint8_t>(piece.width));
    data.push_back(static_cast<uint8_t>(piece.height));
    putU16(&data, 0);
    for (uint16_t cell : piece.frames[0]) putU16(&data, cell);
  }
  return data;
}

// One run of frame data per animation; frames address the runs concatenated.
void animationChunks(const DemoStyle& style, std::vector<uint8_t>* frameData, std::vector<uint8_t>* records,
                     std::vector<uint32_t>* recordOffsets) {
  putU16(frameData, static_cast<uint32_t>(style.anims.size()));
  putU16(records, static_cast<uint32_t>(style.anims.size()));
  uint32_t concatenated = 0;
  for (const DemoPattern& anim : style.anims) {
    recordOffsets->push_back(static_cast<uint32_t>(records->size() - 2));
    uint32_t cells = static_cast<uint32_t>(anim.width * anim.height);
    putU16(records, static_cast<uint32_t>(anim.frames.size()));
    putU16(records, static_cast<uint32_t>(anim.width));
    putU16(records, static_cast<uint32_t>(anim.height));
    putU16(frameData, cells == 0 ? 0 : static_cast<uint32_t>(anim.frames.size() * cells * 2));
    if (cells == 0) continue;
    for (const std::vector<uint16_t>& frame : anim.frames) {
      putU16(records, concatenated);
      for (uint16_t cell : frame) putU16(frameData, cell);
      concatenated += cells * 2;
    }
  }
}

// A part names its animation by record offset while that fits the link
// byte, otherwise by index, which must not be mistaken for an offset.
int animationLink(int anim, const std::vector<uint32_t>& recordOffsets) {
  if (recordOffsets[static_cast<size_t>(anim)] <= 255)
    return static_cast<int>(recordOffsets[static_cast<size_t>(anim)]);
  for (uint32_t offset : recordOffsets)
    if (offset == static_cast<uint32_t>(anim)) return -1;
  return anim <= 255 ? anim : -1;
}

bool objectChunk(const DemoStyle& style, const std::vector<uint32_t>& recordOffsets,
                 std::vector<uint8_t>* data) {
  putU16(data, static_cast<uint32_t>(style.objectDefs.size()));
  for (const DemoObjectDef& def : style.objectDefs) {
    data->push_back(static_cast<uint8_t>(def.parts.size()));
    data->push_back(0);
    putU16(data, def.typeCode);
    data->insert(data->end(), 16, 0);
    for (const DemoPart& part : def.parts) {
      int link = animationLink(part.anim, recordOffsets);
      if (link < 0) {
        std::fprintf(stderr, "style %d: animation %d cannot be linked\n", style.index, part.anim);
        return false;
      }
      uint8_t record[12] = {};
      record[1] = part.mode;
      putU16LE(record, 2, static_cast<uint16_t>(part.dxPixels));
      putU16LE(record, 4, static_cast<uint16_t>(part.dyPixels));
      record[9] = part.extra;
      record[10] = static_cast<uint8_t>(link);
      data->insert(data->end(), record, record + 12);
    }
  }
  return true;
}

}  // namespace

std::vector<uint8_t> styleContainer(const DemoStyle& style) {
  std::vector<uint8_t> frameData, records, objects;
  std::vector<uint32_t> recordOffsets;
  animationChunks(style, &frameData, &records, &recordOffsets);
  if (!objectChunk(style, recordOffsets, &objects)) return {};
  std::vector<uint8_t> file;
  putBytes(&file, "FORM");
  file.resize(8);
  putBytes(&file, "QXST");
  putChunk(&file, "QXCL", paletteChunk(style));
  putChunk(&file, "QXBL", blockChunk(style));
  putChunk(&file, "QXBE", pieceChunk(style));
  putChunk(&file, "QXBF", frameData);
  putChunk(&file, "QXBA", records);
  putChunk(&file, "QXOB", objects);
  putU32BE(file.data(), 4, static_cast<uint32_t>(file.size() - 8));
  return file;
}

std::vector<uint8_t> storeStyle(const DemoStyle& style, uint32_t size, uint32_t crc) {
  std::vector<uint8_t> file = styleContainer(style);
  if (file.empty()) return {};
  size_t forgeAt;
  if (style.compressed) {
    // Bytes after the last block of a GSCM stream are never read.
    GscmCompressOptions options;
    options.blockSize = 2048 + static_cast<size_t>(style.index) * 512;
    file = compressMixed(file, 12 + 8 + 386, options);  // the palette stays readable
    if (file.size() + 4 > size) return {};
    forgeAt = file.size();
    file.resize(size, 0);
  } else {
    // An unknown chunk is skipped by the chunk walk.
    if (file.size() + 12 > size) return {};
    size_t padding = size - file.size() - 8;
    putChunk(&file, "QXPD", std::vector<uint8_t>(padding, 0));
    putU32BE(file.data(), 4, static_cast<uint32_t>(file.size() - 8));
    forgeAt = file.size() - padding;
  }
  if (!forgeCrc(&file, forgeAt, crc)) return {};
  return file;
}
