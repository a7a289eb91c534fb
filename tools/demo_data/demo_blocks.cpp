// Block sets and canvases: pictures cut into 16 x 8 blocks, identical blocks
// stored once.
#include "demo_style.h"

uint16_t addBlock(BlockSet* set, const BlockImage& image) {
  auto found = set->numbers.find(image);
  if (found != set->numbers.end()) return found->second;
  uint16_t number = static_cast<uint16_t>(set->blocks.size());
  set->blocks.push_back(image);
  set->numbers.emplace(image, number);
  return number;
}

Canvas makeCanvas(int columns, int rows) {
  Canvas canvas;
  canvas.width = columns * 16;
  canvas.height = rows * 8;
  canvas.pixels.assign(static_cast<size_t>(canvas.width * canvas.height), 0);
  return canvas;
}

void putPixel(Canvas* canvas, int x, int y, uint8_t colour) {
  if (x < 0 || y < 0 || x >= canvas->width || y >= canvas->height) return;
  canvas->pixels[static_cast<size_t>(y * canvas->width + x)] = colour;
}

std::vector<uint16_t> cutIntoBlocks(const Canvas& canvas, BlockSet* set) {
  std::vector<uint16_t> cells;
  for (int row = 0; row < canvas.height / 8; row++) {
    for (int column = 0; column < canvas.width / 16; column++) {
      BlockImage image;
      for (int y = 0; y < 8; y++)
        for (int x = 0; x < 16; x++)
          image[static_cast<size_t>(y * 16 + x)] =
              canvas.pixels[static_cast<size_t>((row * 8 + y) * canvas.width + column * 16 + x)];
      cells.push_back(addBlock(set, image));
    }
  }
  return cells;
}

uint32_t pixelHash(int x, int y, uint32_t seed) {
  uint32_t h =
      static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return h;
}
