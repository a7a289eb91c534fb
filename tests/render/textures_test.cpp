#include <gtest/gtest.h>
#include <GL/gl.h>

#include "render/textures.h"
#include "headless/headless_gl.h"
#include "support/skips.h"
#include "support/render_fixture.h"

// --- the pure texel image ----------------------------------------------------

static Style texelStyle() {
  Style s{};
  s.blockCount = 2;
  s.blockPixels.assign(256, 0);
  for (int i = 0; i < 128; ++i) {
    s.palette[i][0] = static_cast<uint8_t>(i);
    s.palette[i][1] = static_cast<uint8_t>(i + 1);
    s.palette[i][2] = static_cast<uint8_t>(i + 2);
  }
  return s;
}

TEST(BlockTexelImage, ImageRowsAreBlockRowsFlipped) {
  Style s = texelStyle();
  for (int r = 0; r < 8; ++r) paintBlockRow(&s, 1, r, static_cast<uint8_t>(10 + r));
  uint8_t image[384];
  blockTexelImage(s, 1, 0, image);
  for (int imageRow = 0; imageRow < 8; ++imageRow) {
    const int index = 10 + (7 - imageRow);
    EXPECT_EQ(image[imageRow * 48 + 0], index) << "image row " << imageRow;
    EXPECT_EQ(image[imageRow * 48 + 45 + 2], index + 2) << "last texel, blue";
  }
}

TEST(BlockTexelImage, IndicesBeyondThePaletteUseColourZeroButCountInTheMask) {
  Style s = texelStyle();
  s.blockPixels[128 + 0] = 200;  // block 1, top row, column 0
  s.blockPixels[128 + 1] = 128;
  s.blockPixels[128 + 2] = 127;
  uint8_t colour[384], mask[384];
  blockTexelImage(s, 1, 0, colour);
  blockTexelImage(s, 1, 1, mask);
  const uint8_t* top = colour + 7 * 48;
  EXPECT_EQ((std::vector<int>{top[0], top[1], top[2]}), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ((std::vector<int>{top[3], top[4], top[5]}), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ((std::vector<int>{top[6], top[7], top[8]}), (std::vector<int>{127, 128, 129}));
  const uint8_t* maskTop = mask + 7 * 48;
  for (int i = 0; i < 9; ++i) EXPECT_EQ(maskTop[i], 255) << i;
  EXPECT_EQ(maskTop[9], 0);    // index 0 next to them
  EXPECT_EQ(mask[0], 0);       // bottom row all zero
}

TEST(DrawBlock, TopRowOfTheBlockIsDrawnAtTheTop) {
  RenderFixture f(32, 16, 4);
  SKIP_WITHOUT_GL(f.gl);
  paintBlockRow(&currentStyle, 2, 0, 90);
  paintBlockRow(&currentStyle, 2, 7, 91);
  f.build();
  f.gl.setPixelProjection();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  drawBlock(2, 1, 1, ColourSet);  // client (16, 8)..(31, 15)
  EXPECT_TRUE(f.regionIs(16, 8, 16, 1, paletteRgba(90)));
  EXPECT_TRUE(f.regionIs(16, 15, 16, 1, paletteRgba(91)));
  EXPECT_TRUE(f.regionIs(16, 9, 16, 6, paletteRgba(2)));
  EXPECT_EQ(f.gl.readPixel(15, 8), (Rgba{0, 0, 0, 0}));
}

TEST(DrawBlock, AltViewUsesTintedMaskInSceneButColoursInPanels) {
  RenderFixture f(32, 8, 4);
  SKIP_WITHOUT_GL(f.gl);
  paintBlockRow(&currentStyle, 3, 0, 0);  // top row index 0: black in the mask
  f.build();
  f.gl.setPixelProjection();
  glEnable(GL_TEXTURE_2D);
  editor.altView = 1;
  glColor3f(1, 0, 1);
  drawBlock(3, 0, 0, levelBlockSet(editor.altView));
  glColor3f(1, 1, 1);
  drawBlock(3, 1, 0, ColourSet);
  EXPECT_EQ(f.gl.readPixel(5, 0), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(f.gl.readPixel(5, 4), (Rgba{255, 0, 255, 255}));
  EXPECT_EQ(f.gl.readPixel(20, 0), paletteRgba(0));
  EXPECT_EQ(f.gl.readPixel(20, 4), paletteRgba(3));
}

TEST(DrawBlock, ZoomedBlocksKeepHardPixelEdges) {
  RenderFixture f(64, 32, 2);
  SKIP_WITHOUT_GL(f.gl);
  currentStyle.blockPixels[128 + 0] = 77;  // block 1: only the top-left pixel differs
  f.build();
  f.gl.setPixelProjection();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1, 1, 1);
  for (int mask = 0; mask < 2; ++mask) {
    editor.altView = mask;
    glScaled(4, 4, 1);
    drawBlock(1, 0, 0, levelBlockSet(editor.altView));
    glLoadIdentity();
    const Rgba corner = mask ? Rgba{255, 255, 255, 255} : paletteRgba(77);
    const Rgba rest = mask ? Rgba{255, 255, 255, 255} : paletteRgba(1);
    EXPECT_TRUE(f.regionIs(0, 0, 4, 4, corner)) << "mask " << mask;
    EXPECT_EQ(f.gl.readPixel(4, 0), rest);
    EXPECT_EQ(f.gl.readPixel(0, 4), rest);
  }
}

TEST(BlockTextures, RebuildDeletesTheEarlierNames) {
  RenderFixture f(8, 8, 3);
  SKIP_WITHOUT_GL(f.gl);
  f.build();
  const std::vector<unsigned> first(blockTextures, blockTextures + 3);
  const std::vector<unsigned> firstMask(maskTextures, maskTextures + 3);
  for (unsigned name : first) EXPECT_TRUE(glIsTexture(name));
  f.build();
  for (unsigned name : first) EXPECT_FALSE(glIsTexture(name)) << name;
  for (unsigned name : firstMask) EXPECT_FALSE(glIsTexture(name)) << name;
  EXPECT_EQ(builtTextureCount(), 3u);
  freeBlockTextures();
  EXPECT_EQ(blockTextures, nullptr);
  EXPECT_EQ(builtTextureCount(), 0u);
  freeBlockTextures();  // a second free is harmless
}

TEST(BlockTextures, StyleWithoutBlocksBuildsNothingAndDrawsNothing) {
  RenderFixture f(16, 8, 0);
  SKIP_WITHOUT_GL(f.gl);
  f.build();
  EXPECT_EQ(builtTextureCount(), 0u);
  f.gl.setPixelProjection();
  glEnable(GL_TEXTURE_2D);
  drawBlock(0, 0, 0, ColourSet);
  EXPECT_TRUE(f.regionIs(0, 0, 16, 8, Rgba{0, 0, 0, 0}));
}
