// The style table and the style file loader: only files whose stored size and
// CRC-32 match the table are accepted; decoding is in style_decode.cpp.
#include "data/style.h"

#include <cstdio>
#include <vector>

#include "data/failure.h"
#include "levelfile/data_folder.h"

const StyleTableEntry styleTable[StyleCount] = {
    {"VARNELO", 28215, 0x6674EC7Bu},  {"QUORB", 39927, 0xC1B81BC8u},    {"TESSILY", 98064, 0x6C0EA5DEu},
    {"DRUMEK", 35613, 0x9CEB54D3u},   {"OLLIVANT", 34804, 0x50EC9ECCu}, {"PEMBERYX", 41319, 0xFC141897u},
    {"SARROWEN", 55823, 0x538C0B54u}, {"FELDRIC", 44341, 0x549204DFu},  {"NIMBE", 48350, 0x097445DDu},
    {"WEXLIN", 31965, 0x38A5C23Bu},   {"ZORRA", 48186, 0x0B35A3C1u},    {"KELPIN", 33270, 0x589B1552u},
};

enum FileRead { FileRead_Ok, FileRead_Missing, FileRead_WrongSize };

// Reads the whole file when its length is the expected one. The length is
// compared before anything is allocated, so a huge or odd file (a directory
// reports a length of its own) costs nothing.
static FileRead readFileOfSize(const char* path, size_t expected, std::vector<uint8_t>* bytes) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return FileRead_Missing;
  FileRead result = FileRead_Missing;
  long length = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  if (length >= 0 && static_cast<unsigned long>(length) != expected) {
    result = FileRead_WrongSize;
  } else if (length >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
    bytes->resize(expected);
    if (std::fread(bytes->data(), 1, expected, file) == expected) result = FileRead_Ok;
  }
  std::fclose(file);
  return result;
}

const char* const styleDisplayNames[StyleCount] = {
    "Varnelo", "Quorb", "Tessily", "Drumek", "Ollivant", "Pemberyx",
    "Sarrowen", "Feldric", "Nimbe", "Wexlin", "Zorra", "Kelpin",
};

std::string stylePathIn(const std::string& dataDir, int index) {
  return stylePathIn(dataDir, index >= 0 && index < StyleCount ? styleTable[index].stem : "");
}

int loadStyle(int index, Style* style) { return loadStyleFile(index, stylePathIn("", index).c_str(), style); }

int loadStyleFile(int index, const char* path, Style* style) {
  freeStyle(style);
  style->styleIndex = index;
  if (index < 0 || index >= StyleCount) {
    setFailureReason("style index out of range");
    return 1;
  }
  std::vector<uint8_t> file;
  switch (readFileOfSize(path, styleTable[index].size, &file)) {
    case FileRead_Ok:
      break;
    case FileRead_Missing:
      setFailureReason("style file missing");
      return 1;
    case FileRead_WrongSize:
      setFailureReason("style file has the wrong size");
      return 1;
  }
  if (crc32(file.data(), file.size()) != styleTable[index].crc) {
    setFailureReason("style file fails its CRC check");
    return 1;
  }
  return decodeStyle(index, file.data(), file.size(), style);
}

void freeStyle(Style* style) {
  // Swapping with empty vectors gives the memory back; clear() would keep it.
  std::vector<ObjectDef>().swap(style->objectDefs);
  std::vector<BlockPattern>().swap(style->anims);
  std::vector<BlockPattern>().swap(style->pieces);
  std::vector<uint8_t>().swap(style->blockPixels);
  style->blockCount = 0;
  style->pieceCount = 0;
  style->animCount = 0;
  style->objectDefCount = 0;
}
