// The terrain's look from the level, the style and the drag.
#include "render/terrain_look.h"

#include "render/scene.h"
#include "render/textures.h"
#include "state/editor_state.h"

DrawnTerrain drawnTerrain(const LevelObject& e, int dx, int dy) {
  return {e.kind, e.value, e.x + dx, e.y + dy, e.paramA, e.paramB, e.flags};
}

// True when everything the element draws lies inside the level.
static bool lookInside(const DrawnTerrain& d) {
  int64_t across = 1, down = 1;
  if (d.kind == ObjectKindTerrainPiece) {
    if (d.value >= currentStyle.pieces.size()) return true;  // draws nothing
    const BlockPattern& p = currentStyle.pieces[d.value];
    across = (int64_t{static_cast<int32_t>(d.paramA)} + 1) * p.width;
    down = (int64_t{static_cast<int32_t>(d.paramB)} + 1) * p.height;
    if (across <= 0 || down <= 0) return true;  // no copies
  }
  return d.x >= 0 && d.y >= 0 && d.x + across <= currentLevel.width && d.y + down <= currentLevel.height;
}

bool terrainLook(TerrainLook* look) {
  look->view = currentViewState();
  look->altView = editor.altView;
  look->width = currentLevel.width;
  look->height = currentLevel.height;
  for (int i = 0; i < 3; ++i) look->background[i] = currentStyle.palette[0][i];
  look->textureBuild = blockTextureBuild();
  look->cells.clear();
  look->pieces.clear();
  bool inside = true;
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (!isTerrainKind(e.kind)) return;
    int dx = 0, dy = 0;
    if (!storedWholeWhereDrawn(e, &dx, &dy)) return;  // drawn with the left-out elements
    const DrawnTerrain d = drawnTerrain(e, dx, dy);
    (e.kind == ObjectKindTerrainCell ? look->cells : look->pieces).push_back(d);
    inside = inside && lookInside(d);
  });
  return inside;
}
