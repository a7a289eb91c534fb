// Block textures: the pure texel images, their upload, and drawBlock.
#include "render/textures.h"

#include <GL/gl.h>

#include "render/block_stack.h"
#include "render/region_cache.h"
#include "state/editor_state.h"

unsigned* blockTextures = nullptr;
unsigned* maskTextures = nullptr;

// Held apart from currentStyle so the names can be deleted even after the
// style record they were built from has been replaced.
static uint32_t textureCount = 0;
static uint32_t textureBuilds = 0;

void blockTexelImage(const Style& style, uint32_t block, int mask, uint8_t out[384]) {
  const size_t base = static_cast<size_t>(block) * 128;
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 16; ++c) {
      const size_t at = base + r * 16 + c;
      const uint8_t index = at < style.blockPixels.size() ? style.blockPixels[at] : 0;
      uint8_t* texel = out + (7 - r) * 48 + c * 3;  // image row 0 is the block's bottom row
      if (mask) {
        const uint8_t v = index != 0 ? 255 : 0;  // indices >= 128 count as set
        texel[0] = texel[1] = texel[2] = v;
      } else {
        const uint8_t* rgb = style.palette[index < 128 ? index : 0];  // no colour beyond the palette
        texel[0] = rgb[0];
        texel[1] = rgb[1];
        texel[2] = rgb[2];
      }
    }
  }
}

void blockSetParameters(unsigned target, int mask) {
  if (mask) {  // the wrap stays at its default, repeat
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  } else {
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP);
  }
}

static void texturesUpload(const unsigned* names, uint32_t count, int mask) {
  uint8_t image[384];
  for (uint32_t b = 0; b < count; ++b) {
    blockTexelImage(currentStyle, b, mask, image);
    glBindTexture(GL_TEXTURE_2D, names[b]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 16, 8, 0, GL_RGB, GL_UNSIGNED_BYTE, image);
    blockSetParameters(GL_TEXTURE_2D, mask);
  }
}

void buildBlockTextures() {
  freeBlockTextures();  // never leak the names of an earlier build
  const uint32_t count = currentStyle.blockCount;
  blockTextures = new unsigned[count];
  maskTextures = new unsigned[count];
  textureCount = count;
  ++textureBuilds;
  if (count == 0) return;
  glGenTextures(static_cast<GLsizei>(count), blockTextures);
  glGenTextures(static_cast<GLsizei>(count), maskTextures);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // rows of 48 bytes; never trust the default of 4
  texturesUpload(blockTextures, count, 0);
  texturesUpload(maskTextures, count, 1);
  buildBlockStack();
}

void freeBlockTextures() {
  freeBlockStack();
  freeRegionCaches();
  if (blockTextures && textureCount > 0) glDeleteTextures(static_cast<GLsizei>(textureCount), blockTextures);
  if (maskTextures && textureCount > 0) glDeleteTextures(static_cast<GLsizei>(textureCount), maskTextures);
  delete[] blockTextures;
  delete[] maskTextures;
  blockTextures = nullptr;
  maskTextures = nullptr;
  textureCount = 0;
}

uint32_t builtTextureCount() { return textureCount; }
uint32_t blockTextureBuild() { return textureBuilds; }

BlockSet levelBlockSet(int altView) { return altView == 1 ? MaskSet : ColourSet; }

void drawBlock(uint32_t block, int column, int row, BlockSet set) {
  if (block >= currentStyle.blockCount || block >= textureCount) return;
  glBindTexture(GL_TEXTURE_2D, set == MaskSet ? maskTextures[block] : blockTextures[block]);
  glPushMatrix();
  glTranslated(column * double(LevelPixelsPerBlock), row * double(LevelPixelsPerRow), 0.0);
  glCallList(editor.quadList);
  glPopMatrix();
}

unsigned buildQuadList() {
  const unsigned list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLE_STRIP);
  for (const BlockCorner& c : BlockQuad) {
    glTexCoord2i(c.s, c.t);
    glVertex2i(c.x, c.y);
  }
  glEnd();
  glEndList();
  return list;
}
