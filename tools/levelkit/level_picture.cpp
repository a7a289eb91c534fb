// Drawing a level tile by tile into the headless context, and fitting
// pictures into a square.
#include "level_picture.h"

#include <GL/gl.h>
#include <stb/stb_image_resize.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "state/editor_state.h"
#include "data/bind.h"
#include "render/scene.h"
#include "render/textures.h"

constexpr int RgbBytes = 3;

// One tile: a projection whose top-left is picture pixel (left, top), the
// level drawn, and the pixels copied in (GL counts rows from the bottom).
static void pictureDrawTile(int left, int top, int width, int height, Picture* picture) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(left, left + width, top + height, top, 1, -1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT);
  drawLevel();
  std::vector<uint8_t> tile(static_cast<size_t>(width) * height * RgbBytes);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, tile.data());
  const size_t tileRow = static_cast<size_t>(width) * RgbBytes;
  for (int r = 0; r < height; ++r)
    std::copy_n(tile.begin() + static_cast<long>((height - 1 - r) * tileRow), tileRow,
                picture->rgb.begin() + static_cast<long>(((static_cast<size_t>(top) + r) * picture->width + left) *
                                                         RgbBytes));
}

// The editor record as a fresh load leaves it, viewed so that level pixel
// (0, 0) is picture pixel (0, 0).
static void pictureSetView(const PictureOptions& options) {
  resetEditorState();
  editor.zoom = options.scale;
  editor.altView = options.altView ? 1 : 0;
  const uint32_t period = animPeriodOf(currentStyle);
  editor.animPeriod = static_cast<int>(period);
  editor.animFrame = static_cast<int>(period > 0 ? options.frame % period : options.frame);
}

int drawLevelPicture(Level* level, Style* style, const PictureOptions& options, Picture* picture,
                     std::string* reason) {
  const int64_t width = int64_t(level->width) * LevelPixelsPerBlock * options.scale;
  const int64_t height = int64_t(level->height) * LevelPixelsPerRow * options.scale;
  if (width <= 0 || height <= 0) {
    *reason = "the level has no area to draw";
    return 1;
  }
  if (width > MaxPictureSide || height > MaxPictureSide || width * height > MaxPicturePixels) {
    *reason = "a picture of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large";
    return 1;
  }
  picture->width = static_cast<int>(width);
  picture->height = static_cast<int>(height);
  picture->rgb.assign(static_cast<size_t>(width * height * RgbBytes), 0);

  std::swap(currentLevel, *level);
  std::swap(currentStyle, *style);
  pictureSetView(options);
  editor.quadList = buildQuadList();
  buildBlockTextures();
  for (int top = 0; top < picture->height; top += PictureTileSize)
    for (int left = 0; left < picture->width; left += PictureTileSize)
      pictureDrawTile(left, top, std::min(PictureTileSize, picture->width - left),
                      std::min(PictureTileSize, picture->height - top), picture);
  freeBlockTextures();
  glDeleteLists(editor.quadList, 1);
  resetEditorState();
  std::swap(currentStyle, *style);
  std::swap(currentLevel, *level);
  return 0;
}

int fittingScale(int width, int height, int box) {
  const int longer = std::max({width, height, 1});
  return std::clamp(box / longer, 1, MaxPictureScale);
}

void shrinkToFit(Picture* picture, int box) {
  const int longer = std::max(picture->width, picture->height);
  if (longer <= box) return;
  const double factor = static_cast<double>(box) / longer;
  Picture shrunk;
  shrunk.width = std::max(1, static_cast<int>(std::lround(picture->width * factor)));
  shrunk.height = std::max(1, static_cast<int>(std::lround(picture->height * factor)));
  shrunk.rgb.resize(static_cast<size_t>(shrunk.width) * shrunk.height * RgbBytes);
  stbir_resize_uint8_generic(picture->rgb.data(), picture->width, picture->height, picture->width * RgbBytes,
                             shrunk.rgb.data(), shrunk.width, shrunk.height, shrunk.width * RgbBytes, RgbBytes,
                             STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_BOX,
                             STBIR_COLORSPACE_SRGB, nullptr);
  *picture = std::move(shrunk);
}
