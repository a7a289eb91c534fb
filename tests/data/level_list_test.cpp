#include <gtest/gtest.h>

#include <vector>

#include "data/level.h"

namespace {

// Values of the list walked forwards, checked against the walk backwards.
std::vector<uint32_t> listValues(const Level& level) {
  std::vector<uint32_t> forward, backward;
  for (const LevelObject* e = level.firstObject; e; e = e->next) forward.push_back(e->value);
  for (const LevelObject* e = level.lastObject; e; e = e->prev) backward.insert(backward.begin(), e->value);
  EXPECT_EQ(forward, backward);
  EXPECT_EQ(forward.size(), level.objectCount);
  return forward;
}

Level* levelWith(std::initializer_list<uint32_t> values) {
  static Level level;
  clearLevelObjects(&level);
  for (uint32_t v : values) addObject(ObjectKindTerrainCell, v, 0, 0, 0, 0, &level);
  return &level;
}

}  // namespace

TEST(LevelList, AddLinksInCreationOrderAndSetsItsFields) {
  Level level{};
  clearLevelObjects(&level);
  LevelObject* a = addObject(ObjectKindObject, 7, -1, -2, 3, 4, &level);
  LevelObject* b = addObject(ObjectKindTerrainCell, 8, 5, 6, 0, 0, &level);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a, &level.objectPool[0]);  // first free slot in slot order
  EXPECT_EQ(b, &level.objectPool[1]);
  EXPECT_EQ(a->kind, uint32_t(ObjectKindObject));
  EXPECT_EQ(a->x, -1);
  EXPECT_EQ(a->y, -2);
  EXPECT_EQ(a->paramA, 3u);
  EXPECT_EQ(a->paramB, 4u);
  EXPECT_EQ(level.firstObject, a);
  EXPECT_EQ(level.lastObject, b);
  EXPECT_EQ(listValues(level), (std::vector<uint32_t>{7, 8}));
}

TEST(LevelList, RemovingWhileWalkingVisitsEveryElement) {
  // Remove first, a middle one and the last while stepping through the list.
  Level* level = levelWith({1, 2, 3, 4, 5});
  std::vector<uint32_t> visited;
  for (LevelObject* e = level->firstObject; e; e = e->next) {
    visited.push_back(e->value);
    if (e->value == 1 || e->value == 3 || e->value == 5) removeObject(e, level);
  }
  EXPECT_EQ(visited, (std::vector<uint32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(listValues(*level), (std::vector<uint32_t>{2, 4}));
  EXPECT_EQ(level->objectPool[0].value, FreeSlotValue);
  EXPECT_EQ(level->objectPool[0].inUse, 0u);
}

TEST(LevelList, RemovingTheOnlyElementEmptiesTheList) {
  Level* level = levelWith({9});
  removeObject(level->firstObject, level);
  EXPECT_EQ(level->firstObject, nullptr);
  EXPECT_EQ(level->lastObject, nullptr);
  EXPECT_EQ(level->objectCount, 0u);
  removeObject(&level->objectPool[0], level);  // empty list: nothing happens
  EXPECT_EQ(level->objectCount, 0u);
}

TEST(LevelList, FreedSlotsAreReusedLowestFirst) {
  Level* level = levelWith({1, 2, 3, 4, 5});
  removeObject(&level->objectPool[3], level);
  removeObject(&level->objectPool[1], level);
  EXPECT_EQ(addObject(ObjectKindTerrainCell, 6, 0, 0, 0, 0, level), &level->objectPool[1]);
  EXPECT_EQ(addObject(ObjectKindTerrainCell, 7, 0, 0, 0, 0, level), &level->objectPool[3]);
  EXPECT_EQ(addObject(ObjectKindTerrainCell, 8, 0, 0, 0, 0, level), &level->objectPool[5]);
  EXPECT_EQ(listValues(*level), (std::vector<uint32_t>{1, 3, 5, 6, 7, 8}));
}

TEST(LevelList, FullPoolAddsNothing) {
  Level level{};
  clearLevelObjects(&level);
  for (int i = 0; i < LevelPoolSize; ++i)
    ASSERT_NE(addObject(ObjectKindTerrainCell, 0xFFFF, i, 0, 0, 0, &level), nullptr) << i;
  LevelObject* last = level.lastObject;
  EXPECT_EQ(addObject(ObjectKindObject, 1, 0, 0, 0, 0, &level), nullptr);
  EXPECT_EQ(level.objectCount, uint32_t(LevelPoolSize));
  EXPECT_EQ(level.lastObject, last);
  EXPECT_EQ(last->next, nullptr);
  EXPECT_EQ(listValues(level).size(), size_t(LevelPoolSize));
}
