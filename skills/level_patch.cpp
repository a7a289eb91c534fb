// Apply's byte map over an uncompressed level file, both ways. The offsets are those of
// the level header chunk, which starts at byte 20; the high bytes of the
// skill, minute and second words are left alone because the editor reads only
// the low bytes.

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

void applyLevelPatch(std::vector<uint8_t>& image, const LevelPatch& patch) {
  if (image.size() < LevelFileSize) return;  // callers check first; never write past the end
  std::memcpy(image.data() + LevelNameOffset, patch.name, LevelNameStampSize);
  for (int i = 0; i < LevelSkillSlots; ++i) {
    image[LevelSkillCodeOffset + 2 * i] = patch.skillCode[i];
    image[LevelSkillCountOffset + i] = patch.quantity[i];
  }
  image[LevelMinutesOffset] = patch.minutes;
  image[LevelSecondsOffset] = patch.seconds;
  const auto release = static_cast<uint16_t>(patch.releaseRate);
  image[LevelReleaseRateOffset] = static_cast<uint8_t>(release & 0xFF);
  image[LevelReleaseRateOffset + 1] = static_cast<uint8_t>(release >> 8);
}

LevelPatch readLevelPatch(const std::vector<uint8_t>& image) {
  LevelPatch patch{};
  if (image.size() < LevelFileSize) return patch;  // callers check first; never read past the end
  std::memcpy(patch.name, image.data() + LevelNameOffset, LevelNameStampSize);
  for (int i = 0; i < LevelSkillSlots; ++i) {
    patch.skillCode[i] = image[LevelSkillCodeOffset + 2 * i];
    patch.quantity[i] = image[LevelSkillCountOffset + i];
  }
  patch.minutes = image[LevelMinutesOffset];
  patch.seconds = image[LevelSecondsOffset];
  const uint8_t low = image[LevelReleaseRateOffset], high = image[LevelReleaseRateOffset + 1];
  patch.releaseRate = static_cast<int16_t>(static_cast<uint16_t>(low | high << 8));
  return patch;
}

int32_t clampMinutes(int32_t minutes) { return std::max(minutes, 0); }
int32_t clampSeconds(int32_t seconds) { return std::clamp(seconds, 0, 59); }
int32_t clampRelease(int32_t release) { return std::clamp(release, -32768, 20); }
