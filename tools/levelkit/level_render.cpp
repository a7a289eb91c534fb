#include "level_render.h"

#include "level_source.h"

int renderLevelFile(const std::string& levelPath, const RenderRequest& request, Picture* picture,
                    std::string* reason) {
  Level level;
  Style style{};
  LevelLoad load;
  int status = loadLevelAndStyle(levelPath, request.dataDir, nullptr, &level, &style, &load);
  if (status != 0) *reason = loadFailureText(load);
  if (status == 0) {
    // Whole zooms keep hard pixel edges; only a level larger than the box is
    // shrunk, drawn at zoom 1 first.
    PictureOptions options{request.scale, request.frame, request.altView};
    if (request.box > 0) options.scale = fittingScale(level.width * LevelPixelsPerBlock, level.height * LevelPixelsPerRow, request.box);
    status = drawLevelPicture(&level, &style, options, picture, reason);
    if (status == 0 && request.box > 0) shrinkToFit(picture, request.box);
  }
  freeStyle(&style);
  return status;
}
