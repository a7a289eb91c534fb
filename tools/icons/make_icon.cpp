// make_icon DATA_DIR STYLE_INDEX PIECE SIZE OUT.png
//
// Draws one terrain piece of a demo style, the way the editor's blocks look,
// centred on a transparent SIZE x SIZE square: the desktop icons of driver
// and skills are made from the project's own generated data at build time.
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/style.h"
#include "levelfile/data_folder.h"

constexpr int BlockWidth = 16;   // pixels
constexpr int BlockHeight = 8;
constexpr int MaxIconSize = 1024;

// The piece's blocks as RGBA; palette index 0 (and an empty cell) is clear,
// and indices past the palette draw colour 0 as the editor does.
static std::vector<uint8_t> pieceImage(const Style& style, const BlockPattern& piece) {
  const int width = int(piece.width) * BlockWidth, height = int(piece.height) * BlockHeight;
  std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4, 0);
  for (uint32_t cell = 0; cell < piece.cellCount && cell < piece.cells.size(); ++cell) {
    const int32_t block = piece.cells[cell];
    if (block == 0 || block < 0 || uint32_t(block) >= style.blockCount) continue;
    const int left = int(cell % piece.width) * BlockWidth, top = int(cell / piece.width) * BlockHeight;
    for (int r = 0; r < BlockHeight; ++r)
      for (int c = 0; c < BlockWidth; ++c) {
        const uint8_t index = style.blockPixels[size_t(block) * 128 + size_t(r * BlockWidth + c)];
        if (index == 0) continue;
        const uint8_t* colour = style.palette[index < 128 ? index : 0];
        uint8_t* out = &rgba[(size_t(top + r) * size_t(width) + size_t(left + c)) * 4];
        out[0] = colour[0], out[1] = colour[1], out[2] = colour[2], out[3] = 255;
      }
  }
  return rgba;
}

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: make_icon DATA_DIR STYLE_INDEX PIECE SIZE OUT.png\n");
    return 2;
  }
  const int styleIndex = std::atoi(argv[2]), pieceIndex = std::atoi(argv[3]), size = std::atoi(argv[4]);
  Style style{};
  const std::string path =
      styleIndex >= 0 && styleIndex < StyleCount ? stylePathIn(argv[1], styleTable[styleIndex].stem) : std::string();
  if (path.empty() || loadStyleFile(styleIndex, path.c_str(), &style) != 0) {
    std::fprintf(stderr, "make_icon: style %d does not load from %s\n", styleIndex, argv[1]);
    return 1;
  }
  if (pieceIndex < 0 || uint32_t(pieceIndex) >= style.pieceCount || size < 1 || size > MaxIconSize) {
    std::fprintf(stderr, "make_icon: no piece %d in %s, or a size outside 1..%d\n", pieceIndex, path.c_str(),
                 MaxIconSize);
    return 1;
  }
  const BlockPattern& piece = style.pieces[size_t(pieceIndex)];
  const std::vector<uint8_t> image = pieceImage(style, piece);
  const int width = int(piece.width) * BlockWidth, height = int(piece.height) * BlockHeight;

  // Nearest-neighbour scaling keeps the blocks' hard pixel edges.
  const double scale = std::min(double(size) / width, double(size) / height);
  const int drawnWidth = std::max(1, int(width * scale)), drawnHeight = std::max(1, int(height * scale));
  const int left = (size - drawnWidth) / 2, top = (size - drawnHeight) / 2;
  std::vector<uint8_t> icon(size_t(size) * size_t(size) * 4, 0);
  for (int y = 0; y < drawnHeight; ++y)
    for (int x = 0; x < drawnWidth; ++x) {
      const int sx = std::min(width - 1, int(x / scale)), sy = std::min(height - 1, int(y / scale));
      std::copy_n(&image[(size_t(sy) * size_t(width) + size_t(sx)) * 4], 4,
                  &icon[(size_t(top + y) * size_t(size) + size_t(left + x)) * 4]);
    }
  freeStyle(&style);
  if (!stbi_write_png(argv[5], size, size, 4, icon.data(), size * 4)) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[5]);
    return 1;
  }
  return 0;
}
