#include "level_facts.h"

#include <cstdio>

#include "data/style.h"
#include "levelfile/cp1252.h"
#include "levelfile/skill_list.h"


LevelFacts factsOfLevel(const Level& level, bool compressed) {
  LevelFacts f{};
  f.name = cp1252ToUtf8(reinterpret_cast<const uint8_t*>(level.name), LevelNameSize);
  f.name.erase(f.name.find_last_not_of(' ') + 1);  // npos + 1: an all-blank name becomes empty
  f.style = level.style;
  f.styleName = level.style >= 0 && level.style < StyleCount ? styleDisplayNames[level.style] : "";
  f.width = level.width;
  f.height = level.height;
  f.timeMinutes = level.timeMinutes;
  f.timeSeconds = level.timeSeconds;
  f.releaseRate = level.releaseRate;
  for (int i = 0; i < LevelSkillSlots; ++i) {
    const char* name = skillNameOfCode(level.skillCode[i]);
    f.skills[i] = {level.skillCode[i], level.skillCount[i], name ? name : ""};
  }
  forEachElement(level, [&](const LevelObject& e) {
    f.terrainCells += e.kind == ObjectKindTerrainCell;
    f.objects += e.kind == ObjectKindObject;
  });
  f.startX = level.startX;
  f.startY = level.startY;
  f.compressed = compressed;
  return f;
}

nlohmann::ordered_json factsToJson(const std::string& file, const LevelFacts& f) {
  nlohmann::ordered_json skills = nlohmann::ordered_json::array();
  for (const SkillSlot& s : f.skills) skills.push_back({{"code", s.code}, {"count", s.count}, {"name", s.name}});
  return {{"file", file},
          {"name", f.name},
          {"style", f.style},
          {"styleName", f.styleName},
          {"width", f.width},
          {"height", f.height},
          {"timeMinutes", f.timeMinutes},
          {"timeSeconds", f.timeSeconds},
          {"releaseRate", f.releaseRate},
          {"skills", skills},
          {"terrainCells", f.terrainCells},
          {"objects", f.objects},
          {"startX", f.startX},
          {"startY", f.startY},
          {"compressed", f.compressed}};
}

std::string factsToText(const std::string& file, const LevelFacts& f) {
  std::string skills;
  for (const SkillSlot& s : f.skills) {
    if (s.code == 0 && s.count == 0) continue;  // an empty slot
    char slot[48];
    std::snprintf(slot, sizeof slot, "%s%02X ", skills.empty() ? "" : ", ", static_cast<unsigned>(s.code));
    skills += slot + (s.name.empty() ? "?" : s.name) + " x" + std::to_string(s.count);
  }
  char time[32];
  std::snprintf(time, sizeof time, "%d:%02d", f.timeMinutes, f.timeSeconds);
  return file + "\n" +
         "  name: " + f.name + "\n" +
         "  style: " + std::to_string(f.style) + " " + f.styleName + "\n" +
         "  size: " + std::to_string(f.width) + " x " + std::to_string(f.height) + " blocks\n" +
         "  time: " + time + "\n" +
         "  releaseRate: " + std::to_string(f.releaseRate) + "\n" +
         "  skills: " + (skills.empty() ? "none" : skills) + "\n" +
         "  terrainCells: " + std::to_string(f.terrainCells) + "\n" +
         "  objects: " + std::to_string(f.objects) + "\n" +
         "  start: " + std::to_string(f.startX) + ", " + std::to_string(f.startY) + "\n" +
         "  compressed: " + (f.compressed ? "yes" : "no") + "\n";
}
