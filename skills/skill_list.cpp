// The hidden list box's text, made from the shared skill list so that the
// codes and names exist once. Only the codes reach the level file; the names
// are what the drop-down lists show.

#include <cstdio>

#include "levelfile/skill_list.h"
#include "skills_core.h"

std::string skillListText() {
  std::string text;
  for (const SkillEntry& entry : SkillList) {
    char code[3];
    std::snprintf(code, sizeof code, "%02X", static_cast<unsigned>(entry.code));
    text.append(code).append(entry.name).append("\r\n");
  }
  return text;
}
