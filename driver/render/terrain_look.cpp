// The key of the kept terrain: the view, the elements as drawn, the pieces.
#include "render/terrain_look.h"

#include <cstring>

#include "render/scene.h"
#include "render/textures.h"
#include "state/editor_state.h"

// True when everything the element draws lies inside the level.
static bool lookInside(const LevelObject& e, int dx, int dy) {
  int64_t across = 1, down = 1;
  if (e.kind == ObjectKindTerrainPiece) {
    if (e.value >= currentStyle.pieces.size()) return true;  // draws nothing
    const BlockPattern& p = currentStyle.pieces[e.value];
    across = (int64_t{static_cast<int32_t>(e.paramA)} + 1) * p.width;
    down = (int64_t{static_cast<int32_t>(e.paramB)} + 1) * p.height;
    if (across <= 0 || down <= 0) return true;  // no copies
  }
  const int64_t x = int64_t{e.x} + dx, y = int64_t{e.y} + dy;
  return x >= 0 && y >= 0 && x + across <= currentLevel.width && y + down <= currentLevel.height;
}

bool terrainLook(TerrainLook* look) {
  std::memset(look, 0, sizeof *look);  // compared byte for byte
  look->view = currentViewState();
  look->altView = editor.altView;
  look->width = currentLevel.width;
  look->height = currentLevel.height;
  const uint8_t* c = currentStyle.palette[0];
  look->background = c[0] << 16 | c[1] << 8 | c[2];
  bool inside = true;
  uint64_t elements = HashStart;
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (!isTerrainKind(e.kind)) return;
    int dx = 0, dy = 0;
    elementOffset(e, &dx, &dy);
    const int64_t drawn[7] = {e.kind, e.value, int64_t{e.x} + dx, int64_t{e.y} + dy, e.paramA, e.paramB, e.flags};
    elements = hashBytes(elements, drawn, sizeof drawn);
    inside = inside && lookInside(e, dx, dy);
  });
  look->elements = elements;
  uint64_t pieces = HashStart;
  for (const BlockPattern& p : currentStyle.pieces) {
    const uint32_t shape[4] = {p.width, p.height, p.cellCount, p.isPiece};
    pieces = hashBytes(pieces, shape, sizeof shape);
    pieces = hashBytes(pieces, p.cells.data(), p.cells.size() * sizeof(int32_t));
  }
  look->pieces = pieces;
  return inside;
}
