#pragma once
// Pictures as PNG files, replaced atomically so no half-written file is left.

#include <string>

#include "level_picture.h"

int writePngFile(const std::string& path, const Picture& picture, std::string* reason);  // 0 on success
