// Feeds arbitrary bytes to the style decoder (no size or CRC check in the
// way), then binds a small level to what it decoded. A decoded style must be
// self-consistent; a failure must leave it empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "data/bind.h"
#include "data/style.h"

// The style a stored file of this size would be; corrections depend on it.
static int indexForSize(size_t size) {
  for (int i = 0; i < StyleCount; i++)
    if (styleTable[i].size == size) return i;
  return static_cast<int>(size % StyleCount);
}

static void check(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Style style;
  static Level level;
  if (decodeStyle(indexForSize(size), data, size, &style) != 0) {
    check(style.blockCount == 0 && style.anims.empty() && style.objectDefs.empty() &&
          style.objectDefCount == 0);
    return 0;
  }
  check(style.blockPixels.size() == size_t{style.blockCount} * 128);
  check(style.pieces.size() == style.pieceCount && style.anims.size() == style.animCount);
  check(style.objectDefs.size() == style.objectDefCount);
  for (const BlockPattern& p : style.pieces) check(p.cells.size() == p.cellCount);
  for (const BlockPattern& a : style.anims)
    check(a.cells.size() == (a.cellCount ? size_t{a.frameCount} * a.cellCount : 0));
  for (const ObjectDef& d : style.objectDefs)
    for (const BlockPattern* a : d.partAnim)
      check(!a || (a >= style.anims.data() && a < style.anims.data() + style.anims.size()));

  clearLevelObjects(&level);
  for (uint32_t i = 0; i < 8; i++) {
    addObject(ObjectKindTerrainCell, i * 37, static_cast<int32_t>(i), 0, i % 2 ? 0x4000 : 0, 0, &level);
    addObject(ObjectKindObject, i, 3, 3, 1, 1, &level);
  }
  bindLevelToStyle(&style, &level);
  for (const ObjectDef& d : style.objectDefs) check(d.partCount <= d.partAnim.size());
  (void)animPeriodOf(style);
  return 0;
}
