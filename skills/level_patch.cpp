// What Apply needs around its byte map (levelfile/level_patch.h): whether a
// file is an uncompressed level file, what a patch changes, and the boxes'
// clamps.

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "levelfile/cp1252.h"
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

// The name's bytes up to its padding, quoted, a zero shown as \0; then how the
// padding is made when it holds a zero.
static std::string patchNameText(const uint8_t (&name)[LevelNameStampSize]) {
  size_t length = LevelNameStampSize;
  while (length > 0 && (name[length - 1] == ' ' || name[length - 1] == 0)) --length;
  std::string text = "\"";
  for (size_t k = 0; k < length; ++k) text += name[k] == 0 ? std::string("\\0") : cp1252ToUtf8(&name[k], 1);
  text += "\"";
  if (std::find(name + length, name + LevelNameStampSize, 0) != name + LevelNameStampSize) text += " padded with zeros";
  return text;
}

static std::string patchSlotText(const LevelPatch& patch, int slot) {
  if (patch.skillCode[slot] == 0 && patch.quantity[slot] == 0) return "empty";
  char text[32];
  std::snprintf(text, sizeof text, "%02X x%d", patch.skillCode[slot], patch.quantity[slot]);
  return text;
}

std::string patchChanges(const LevelPatch& held, const LevelPatch& written) {
  std::string changes;
  const auto note = [&changes](const std::string& field, const std::string& to, const std::string& from) {
    if (to == from) return;
    changes += (changes.empty() ? "" : ", ") + field + " " + to + " (the file holds " + from + ")";
  };
  note("name", patchNameText(written.name), patchNameText(held.name));
  for (int i = 0; i < LevelSkillSlots; ++i)
    note("skill slot " + std::to_string(i + 1), patchSlotText(written, i), patchSlotText(held, i));
  note("minutes", std::to_string(written.minutes), std::to_string(held.minutes));
  note("seconds", std::to_string(written.seconds), std::to_string(held.seconds));
  note("release rate", std::to_string(written.releaseRate), std::to_string(held.releaseRate));
  return changes;
}

int32_t clampMinutes(int32_t minutes) { return std::max(minutes, 0); }
int32_t clampSeconds(int32_t seconds) { return std::clamp(seconds, 0, 59); }
int32_t clampRelease(int32_t release) { return std::clamp(release, -32768, 20); }
