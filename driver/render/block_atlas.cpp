// The block atlas: its pure image, its upload, and where each block lies in it.
#include "render/block_atlas.h"

#include <GL/gl.h>
#include <cstring>

#include "state/editor_state.h"
#include "render/textures.h"

BlockAtlas blockAtlas{};

static constexpr int AtlasRowBytes = AtlasWidth * 3;
static constexpr int BlockImageRowBytes = 16 * 3;

int atlasHeightFor(uint32_t blockCount) {
  const uint32_t rows = (blockCount + AtlasBlocksAcross - 1) / AtlasBlocksAcross;
  int height = 8;
  while (static_cast<uint32_t>(height) < rows * 8) height *= 2;
  return height;
}

void blockAtlasImage(const Style& style, int mask, std::vector<uint8_t>* out) {
  out->assign(static_cast<size_t>(AtlasRowBytes) * atlasHeightFor(style.blockCount), 0);
  uint8_t block[384];
  for (uint32_t b = 0; b < style.blockCount; ++b) {
    blockTexelImage(style, b, mask, block);
    const size_t column = (b % AtlasBlocksAcross) * BlockImageRowBytes;
    const size_t firstRow = static_cast<size_t>(b / AtlasBlocksAcross) * 8;
    for (int r = 0; r < 8; ++r)
      std::memcpy(out->data() + (firstRow + r) * AtlasRowBytes + column, block + r * BlockImageRowBytes,
                  BlockImageRowBytes);
  }
}

AtlasRect atlasRect(uint32_t block) {
  const float width = static_cast<float>(AtlasWidth);
  const float height = static_cast<float>(blockAtlas.height);
  const float left = static_cast<float>((block % AtlasBlocksAcross) * 16);
  const float bottom = static_cast<float>((block / AtlasBlocksAcross) * 8);
  return AtlasRect{left / width, bottom / height, (left + 16) / width, (bottom + 8) / height};
}

void drawAtlasBlock(uint32_t block, int column, int row) {
  if (block >= currentStyle.blockCount || block >= blockAtlas.blockCount) return;
  const AtlasRect r = atlasRect(block);
  glPushMatrix();
  glTranslated(column * 16.0, row * 8.0, 0.0);
  glBegin(GL_TRIANGLE_STRIP);  // the corners of quadList, top edge showing the block's top row
  glTexCoord2f(r.s0, r.t1);
  glVertex2i(0, 0);
  glTexCoord2f(r.s0, r.t0);
  glVertex2i(0, 8);
  glTexCoord2f(r.s1, r.t1);
  glVertex2i(16, 0);
  glTexCoord2f(r.s1, r.t0);
  glVertex2i(16, 8);
  glEnd();
  glPopMatrix();
}

static unsigned atlasUpload(int mask) {
  std::vector<uint8_t> image;
  blockAtlasImage(currentStyle, mask, &image);
  unsigned name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, AtlasWidth, blockAtlas.height, 0, GL_RGB, GL_UNSIGNED_BYTE, image.data());
  // The scene draws the atlas only at whole zoom factors, one texel to one or
  // more pixels, so both sets sample the nearest texel, as the per-block sets
  // do there; a linear minifier would bleed neighbouring blocks in.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return name;
}

void buildBlockAtlas() {
  freeBlockAtlas();
  const uint32_t count = currentStyle.blockCount;
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  const int height = atlasHeightFor(count);
  // Without an atlas the scene draws block by block, slower but the same.
  if (count == 0 || height > largest || AtlasWidth > largest) return;
  blockAtlas.height = height;
  blockAtlas.blockCount = count;
  blockAtlas.colourTexture = atlasUpload(0);
  blockAtlas.maskTexture = atlasUpload(1);
}

void freeBlockAtlas() {
  if (blockAtlas.colourTexture) glDeleteTextures(1, &blockAtlas.colourTexture);
  if (blockAtlas.maskTexture) glDeleteTextures(1, &blockAtlas.maskTexture);
  blockAtlas = BlockAtlas{};
}
