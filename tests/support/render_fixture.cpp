#include "support/render_fixture.h"

#include <GL/gl.h>

#include "render/scene.h"
#include "render/textures.h"

static uint8_t fixtureChannel(int index, int salt) { return static_cast<uint8_t>((index * salt + 40) & 0xFF); }

Rgba paletteRgba(int index) {
  return Rgba{fixtureChannel(index, 3), fixtureChannel(index, 7), fixtureChannel(index, 11), 255};
}

void paintBlockRow(Style* style, uint32_t block, int row, uint8_t index) {
  for (int c = 0; c < 16; ++c) style->blockPixels[block * 128 + row * 16 + c] = index;
}

BlockPattern makePattern(uint32_t width, uint32_t height, uint32_t frames, bool piece, std::vector<int32_t> cells) {
  BlockPattern p{};
  p.width = width;
  p.height = height;
  p.frameCount = frames;
  p.cellCount = width * height;
  p.cells = std::move(cells);
  p.isPiece = piece ? 1 : 0;
  return p;
}

RenderFixture::RenderFixture(int width, int height, uint32_t blocks, int levelWidth, int levelHeight)
    : gl(width, height) {
  resetEditorState();
  freeStyle(&currentStyle);
  clearLevelObjects(&currentLevel);
  currentStyle.blockCount = blocks;
  currentStyle.blockPixels.assign(static_cast<size_t>(blocks) * 128, 0);
  for (uint32_t b = 0; b < blocks; ++b)
    for (int r = 0; r < 8; ++r) paintBlockRow(&currentStyle, b, r, static_cast<uint8_t>(b & 0x7F));
  for (int i = 0; i < 128; ++i) {
    const Rgba c = paletteRgba(i);
    currentStyle.palette[i][0] = c.r;
    currentStyle.palette[i][1] = c.g;
    currentStyle.palette[i][2] = c.b;
  }
  currentLevel.width = levelWidth;
  currentLevel.height = levelHeight;
  currentLevel.style = 0;
  if (gl.ok()) editor.quadList = buildQuadList();
}

RenderFixture::~RenderFixture() {
  if (gl.ok()) {
    freeBlockTextures();
    glDeleteLists(editor.quadList, 1);
  }
  freeStyle(&currentStyle);
  clearLevelObjects(&currentLevel);
  resetEditorState();
}

void RenderFixture::build() {
  currentStyle.animCount = static_cast<uint32_t>(currentStyle.anims.size());
  currentStyle.pieceCount = static_cast<uint32_t>(currentStyle.pieces.size());
  currentStyle.objectDefCount = static_cast<uint32_t>(currentStyle.objectDefs.size());
  buildBlockTextures();
}

void RenderFixture::addAnimDef(int kind, uint32_t anim, int width, int height) {
  ObjectDef d{};
  d.partCount = 1;
  d.partAnim = {&currentStyle.anims[anim]};
  d.partDx = {0};
  d.partDy = {0};
  d.partMode = {0};
  d.partExtra = {0};
  d.kind = kind;
  d.width = width;
  d.height = height;
  currentStyle.objectDefs.push_back(d);
}

void RenderFixture::clearAndDraw() {
  gl.setPixelProjection();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawLevel();
}

bool RenderFixture::regionIs(int x, int y, int w, int h, Rgba colour) const {
  const std::vector<Rgba> frame = gl.readFrame();
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (frame[static_cast<size_t>(j) * gl.width + i] != colour) return false;
  return true;
}
