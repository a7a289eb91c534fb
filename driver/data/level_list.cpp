// The element list of a level: a doubly linked list in creation order over a
// fixed pool of LevelPoolSize slots.
#include "data/level.h"

std::vector<LevelObject> makeFreePool() {
  std::vector<LevelObject> pool(LevelPoolSize, LevelObject{});
  for (LevelObject& slot : pool) slot.value = FreeSlotValue;
  return pool;
}

LevelObject* addObject(uint32_t kind, uint32_t value, int32_t x, int32_t y,
                       uint32_t paramA, uint32_t paramB, Level* level) {
  LevelObject* slot = nullptr;
  for (LevelObject& candidate : level->objectPool) {
    if (!candidate.inUse) {
      slot = &candidate;
      break;
    }
  }
  if (!slot) return nullptr;
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
}

void clearLevelObjects(Level* level) {
  level->objectCount = 0;
  level->firstObject = nullptr;
  level->lastObject = nullptr;
  for (LevelObject& slot : level->objectPool) {
    slot.value = FreeSlotValue;
    slot.inUse = 0;
  }
}
