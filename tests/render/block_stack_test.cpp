// A block drawn from the stack against the same block drawn from its own
// texture, under transforms that put pixel centres on and near texel edges.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include "render/block_stack.h"
#include "render/textures.h"
#include "support/render_fixture.h"

namespace {

// Draws block 1 scaled and shifted, from its own texture or from the stack.
std::vector<Rgba> drawScaled(const RenderFixture& f, double scale, double shift, bool fromStack) {
  f.gl.setPixelProjection();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glTranslated(shift, shift, 0.0);
  glScaled(scale, scale, 1.0);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 0.5f, 1.0f);  // the tint of the mask set in the alternate view
  if (fromStack) {
    glEnable(GL_TEXTURE_3D);
    glBindTexture(GL_TEXTURE_3D, levelBlockSet(editor.altView) == MaskSet ? blockStack.maskTexture : blockStack.colourTexture);
    drawStackBlock(1, 1, 2);
    glDisable(GL_TEXTURE_3D);
  } else {
    drawBlock(1, 1, 2, levelBlockSet(editor.altView));
  }
  glDisable(GL_TEXTURE_2D);
  return f.gl.readFrame();
}

}  // namespace

TEST(BlockStack, AnyScaleSamplesTheTexelsOfTheBlocksOwnTexture) {
  RenderFixture f(96, 96, 3);
  SKIP_WITHOUT_GL(f.gl);
  for (int i = 0; i < 128; ++i) currentStyle.blockPixels[128 + i] = static_cast<uint8_t>((i * 37 + i / 16) % 5 * 23);
  f.build();
  ASSERT_NE(blockStack.colourTexture, 0u);
  const double scales[] = {1.0, 0.5, 0.25, 1.0 / 3.0, 0.8, 0.6875, 2.0, 2.5, 3.0};
  const double shifts[] = {0.0, 0.25, 0.5};
  for (int alt = 0; alt < 2; ++alt) {
    editor.altView = alt;  // the level's mask set in the alternate view
    for (double scale : scales)
      for (double shift : shifts)
        EXPECT_EQ(drawScaled(f, scale, shift, true), drawScaled(f, scale, shift, false))
            << "scale " << scale << " shift " << shift << " alt " << alt;
  }
}
