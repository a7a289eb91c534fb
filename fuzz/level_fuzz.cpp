// Feeds arbitrary bytes to the level parser; a parsed level's list must be
// intact and within the pool.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "data/level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Level level{};
  if (parseLevel(data, size, &level) != 0) return 0;
  uint32_t walked = 0;
  const LevelObject* last = nullptr;
  for (const LevelObject* e = level.firstObject; e; e = e->next) {
    if (e->prev != last || !e->inUse || ++walked > uint32_t(LevelPoolSize)) std::abort();
    last = e;
  }
  if (walked != level.objectCount || last != level.lastObject) std::abort();
  return 0;
}
