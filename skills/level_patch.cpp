// What Apply needs around its byte map (levelfile/level_patch.h): whether a
// file is an uncompressed level file, and the boxes' clamps.

#include <algorithm>
#include <cstring>

#include "levelfile/data_folder.h"
#include "skills_core.h"

std::string levelImageProblem(const std::vector<uint8_t>& image, const std::string& fileName) {
  const std::string quoted = "\"" + fileName + "\"";
  if (hasGscmMagic(image.data(), image.size()))
    return quoted + " is compressed. Only an uncompressed level file, as the editor saves it, can be changed.";
  if (image.size() != LevelFileSize)
    return quoted + " is " + std::to_string(image.size()) + " bytes long, not " +
           std::to_string(LevelFileSize) + ": it is not an uncompressed level file.";
  if (std::memcmp(image.data() + LevelFormIdOffset, "FORM", 4) != 0 ||
      std::memcmp(image.data() + LevelFormTypeOffset, "QXLV", 4) != 0)
    return quoted + " does not start with the FORM and QXLV signatures: it is not a level file.";
  return "";
}

int32_t clampMinutes(int32_t minutes) { return std::max(minutes, 0); }
int32_t clampSeconds(int32_t seconds) { return std::clamp(seconds, 0, 59); }
int32_t clampRelease(int32_t release) { return std::clamp(release, -32768, 20); }
