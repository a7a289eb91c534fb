// The stamp's byte map over an uncompressed level file, both ways.
#include "levelfile/level_patch.h"

#include <cstring>

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
