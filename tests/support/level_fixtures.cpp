#include "level_fixtures.h"

#include <algorithm>
#include <cstring>

#include "compress/gscm_compress.h"
#include "data/level_writer.h"

void fillLevel(const LevelDescription& d, Level* level) {
  clearLevelObjects(level);
  std::memset(level->name, 0, sizeof level->name);
  std::memcpy(level->name, d.name.data(), std::min(d.name.size(), LevelNameSize));
  for (int i = 0; i < 8; ++i) {
    level->skillCode[i] = d.skillCode[i];
    level->skillCount[i] = d.skillCount[i];
  }
  level->timeMinutes = d.timeMinutes;
  level->timeSeconds = d.timeSeconds;
  level->style = d.style;
  level->startX = d.startX;
  level->startY = d.startY;
  level->width = d.width;
  level->height = d.height;
  level->keptWord = d.keptWord;
  level->releaseRate = d.releaseRate;
  for (const FixtureCell& c : d.cells) {
    LevelObject* e = addObject(ObjectKindTerrainCell, c.block, c.x, c.y, c.flags, 0, level);
    if (!e) break;
    e->flags = c.flags;
    e->width = e->height = 1;
    e->shiftX = e->shiftY = 0;
    e->state = NotSelected;
  }
  for (const FixtureObject& o : d.objects) {
    LevelObject* e = addObject(ObjectKindObject, o.type, o.x, o.y, o.paramA, o.paramB, level);
    if (!e) break;
    e->flags = 0;
    e->width = e->height = 1;
    e->shiftX = e->shiftY = 0;
    e->state = NotSelected;
  }
}

std::vector<uint8_t> makeLevelImage(const LevelDescription& description) {
  Level level{};
  fillLevel(description, &level);
  std::vector<uint8_t> image(LevelFileSize);
  if (buildLevelImage(level, image.data()) != 0) return {};
  return image;
}

std::vector<uint8_t> makeCompressedLevelImage(const LevelDescription& description) {
  std::vector<uint8_t> image = makeLevelImage(description);
  if (image.empty()) return {};
  return gscmCompress(image.data(), image.size());
}

std::vector<const LevelObject*> levelElements(const Level& level) {
  std::vector<const LevelObject*> elements;
  for (const LevelObject* e = level.firstObject; e; e = e->next) elements.push_back(e);
  return elements;
}
