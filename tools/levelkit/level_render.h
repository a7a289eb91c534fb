#pragma once
// `levelkit render` and the catalogue's pictures: a level file drawn with the
// style it names from a data folder.

#include <string>

#include "level_picture.h"

struct RenderRequest {
  std::string dataDir;   // holds STYLES/
  int scale = 1;         // used when box is 0
  int box = 0;           // > 0: fit the picture into box x box pixels
  uint32_t frame = 0;
  bool altView = false;
};

// Needs a current headless context. 0 on success; 1 with reason set.
int renderLevelFile(const std::string& levelPath, const RenderRequest& request, Picture* picture,
                    std::string* reason);
