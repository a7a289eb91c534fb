#pragma once
// The bytes the skills form stamps into an uncompressed level file: the
// name's leading part, the skill slots, the time and the release rate. The
// form writes them; the editor, asked to keep what the form stamped, takes
// them back. The high bytes of the skill, minute and second words are left
// alone because the editor reads only the low bytes.

#include <cstdint>
#include <vector>

#include "levelfile/layout.h"

// Everything Apply stamps into the file, already converted and range-checked.
struct LevelPatch {
  uint8_t name[LevelNameStampSize];    // single-byte codes, padded with blanks
  uint8_t skillCode[LevelSkillSlots];  // 0 for an unchecked slot
  uint8_t quantity[LevelSkillSlots];   // 0 for an unchecked slot
  uint8_t minutes;
  uint8_t seconds;
  int16_t releaseRate;
};

// Writes the patch at its offsets; every other byte stays as it was. An image
// shorter than LevelFileSize is left alone.
void applyLevelPatch(std::vector<uint8_t>& image, const LevelPatch& patch);

// What the image holds at the patch's offsets, as it is (a code of 0 marks an
// empty slot): applying the result to the same image changes nothing. All zero
// for an image shorter than LevelFileSize.
LevelPatch readLevelPatch(const std::vector<uint8_t>& image);
