#pragma once
// Pictures of whole levels drawn by driver's own render code into the
// headless context: level pixel (x, y) lands on picture pixels scale * (x, y)
// and nothing of the editor (margins, start view, selection, marks) is drawn.

#include <cstdint>
#include <string>
#include <vector>

#include "data/level.h"
#include "data/style.h"
#include "levelfile/layout.h"

constexpr int MaxPictureScale = 8;          // driver's largest zoom
constexpr int MaxPictureSide = 16384;       // pixels; more only comes from damaged headers
constexpr int64_t MaxPicturePixels = 1 << 26;
constexpr int PictureTileSize = 1024;       // pixels; the headless context's size, drawn into tile by tile

struct Picture {
  int width = 0;              // pixels
  int height = 0;
  std::vector<uint8_t> rgb;   // width * height * 3 bytes, top row first
};

struct PictureOptions {
  int scale = 1;         // picture pixels per level pixel, 1..MaxPictureScale
  uint32_t frame = 0;    // animation frame, as driver's animFrame counts them
  bool altView = false;  // element classes in flat colours
};

// Draws a level bound to its style; both are handed back unchanged. Needs a
// current headless context of PictureTileSize x PictureTileSize. 0 on success; 1 with reason set when the level
// has no area or the picture would be larger than the limits above.
int drawLevelPicture(Level* level, Style* style, const PictureOptions& options, Picture* picture,
                     std::string* reason);

// The largest whole scale (at least 1, at most MaxPictureScale) at which a
// width x height picture fits in a box x box square.
int fittingScale(int width, int height, int box);

// Shrinks the picture, averaging the pixels each new pixel covers, until its
// longer side is box; a picture that already fits is left as it is.
void shrinkToFit(Picture* picture, int box);
