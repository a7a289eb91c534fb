// The element list of a level: a doubly linked list in creation order over a
// fixed pool of LevelPoolSize slots.
#include "data/level.h"

#include <algorithm>

std::vector<LevelObject> makeFreePool() {
  std::vector<LevelObject> pool(LevelPoolSize, LevelObject{});
  for (LevelObject& slot : pool) slot.value = FreeSlotValue;
  return pool;
}

LevelObject* addObject(uint32_t kind, uint32_t value, int32_t x, int32_t y,
                       uint32_t paramA, uint32_t paramB, Level* level) {
  // The first free slot in slot order. The hint only skips slots known to be
  // in use; should it ever be stale, the second pass still finds a free slot.
  LevelObject* slot = nullptr;
  size_t poolSize = level->objectPool.size();
  size_t start = std::min<size_t>(level->freeSearchFrom, poolSize);
  for (size_t i = start; i < poolSize && !slot; ++i)
    if (!level->objectPool[i].inUse) slot = &level->objectPool[i];
  for (size_t i = 0; i < start && !slot; ++i)
    if (!level->objectPool[i].inUse) slot = &level->objectPool[i];
  if (!slot) return nullptr;
  level->freeSearchFrom = uint32_t(slot - level->objectPool.data()) + 1;
  slot->inUse = 1;
  slot->kind = kind;
  slot->value = value;
  slot->x = x;
  slot->y = y;
  slot->paramA = paramA;
  slot->paramB = paramB;
  slot->prev = level->lastObject;
  slot->next = nullptr;
  if (level->lastObject) level->lastObject->next = slot;
  else level->firstObject = slot;
  level->lastObject = slot;
  level->objectCount++;
  return slot;
}

void removeObject(LevelObject* object, Level* level) {
  if (level->objectCount == 0 || !object->inUse) return;
  if (object->prev) object->prev->next = object->next;
  else level->firstObject = object->next;
  if (object->next) object->next->prev = object->prev;
  else level->lastObject = object->prev;
  level->objectCount--;
  object->value = FreeSlotValue;
  object->inUse = 0;
  uint32_t index = uint32_t(object - level->objectPool.data());
  if (index < level->freeSearchFrom) level->freeSearchFrom = index;
}

void clearLevelObjects(Level* level) {
  level->objectCount = 0;
  level->firstObject = nullptr;
  level->lastObject = nullptr;
  level->freeSearchFrom = 0;
  for (LevelObject& slot : level->objectPool) {
    slot.value = FreeSlotValue;
    slot.inUse = 0;
  }
}

int objectRecordCount(const Level& level) {
  int count = 0;
  forEachElement(level, [&](const LevelObject& object) {
    if (!isTerrainKind(object.kind)) ++count;
  });
  return count;
}
