// The block stack: its upload, its slices, and one block drawn from it.
#include "render/block_stack.h"

#include <GL/gl.h>
#include <vector>

#include "render/textures.h"
#include "state/editor_state.h"

BlockStack blockStack{};

static constexpr size_t BlockImageBytes = 384;  // 16 x 8 RGB texels

bool stackHolds(uint32_t block) { return block < currentStyle.blockCount && block < blockStack.blockCount; }

float stackSlice(uint32_t block) {
  return (static_cast<float>(block) + 0.5f) / static_cast<float>(blockStack.depth);
}

void drawStackBlock(uint32_t block, int column, int row) {
  if (!stackHolds(block)) return;
  const float r = stackSlice(block);
  glPushMatrix();
  glTranslated(column * double(LevelPixelsPerBlock), row * double(LevelPixelsPerRow), 0.0);
  glBegin(GL_TRIANGLE_STRIP);
  for (const BlockCorner& c : BlockQuad) {
    glTexCoord3f(static_cast<float>(c.s), static_cast<float>(c.t), r);
    glVertex2i(c.x, c.y);
  }
  glEnd();
  glPopMatrix();
}

static unsigned stackUpload(int mask) {
  std::vector<uint8_t> image(BlockImageBytes * blockStack.depth, 0);
  for (uint32_t b = 0; b < blockStack.blockCount; ++b) blockTexelImage(currentStyle, b, mask, &image[b * BlockImageBytes]);
  unsigned name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_3D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage3D(GL_TEXTURE_3D, 0, GL_RGB, 16, 8, blockStack.depth, 0, GL_RGB, GL_UNSIGNED_BYTE, image.data());
  blockSetParameters(GL_TEXTURE_3D, mask);  // in s and t as each block's own texture
  glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);  // slices never blend or wrap
  return name;
}

void buildBlockStack() {
  freeBlockStack();
  const uint32_t count = currentStyle.blockCount;
  GLint largest = 0;
  glGetIntegerv(GL_MAX_3D_TEXTURE_SIZE, &largest);
  int depth = 1;
  while (static_cast<uint32_t>(depth) < count && depth <= largest / 2) depth *= 2;
  // Without a stack every block is bound on its own: slower, the same pixels.
  if (count == 0 || static_cast<uint32_t>(depth) < count) return;
  blockStack.depth = depth;
  blockStack.blockCount = count;
  blockStack.colourTexture = stackUpload(0);
  blockStack.maskTexture = stackUpload(1);
}

void freeBlockStack() {
  if (blockStack.colourTexture) glDeleteTextures(1, &blockStack.colourTexture);
  if (blockStack.maskTexture) glDeleteTextures(1, &blockStack.maskTexture);
  blockStack = BlockStack{};
}
