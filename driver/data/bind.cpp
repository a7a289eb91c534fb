// Binding a level to its style, in three passes: object definitions get their
// kind, extent and shift; terrain cells are checked against the blocks; level
// objects take their definition's kind, extent and shift.
#include "data/bind.h"

#include <algorithm>

// Parts that definition 1 is drawn with, by style index.
static const uint32_t definitionOnePartCount[StyleCount] = {1, 2, 3, 2, 2, 1, 2, 1, 1, 1, 1, 1};

enum OverrideChange { SetShiftY, SetKind, SetFirstFrameCount };
struct DefinitionOverride {
  int style;
  uint32_t def;
  OverrideChange change;
  int32_t value;
};
// clang-format off
static const DefinitionOverride definitionOverrides[] = {
    {1, 6, SetShiftY, 1},
    {2, 3, SetKind, ObjectKindStillByOverride},
    {2, 12, SetKind, ObjectKindStillByOverride},
    {3, 3, SetKind, ObjectKindStillByOverride},
    {4, 17, SetKind, ObjectKindStillByOverride},
    {5, 1, SetFirstFrameCount, 1},
    {5, 12, SetFirstFrameCount, 1},
    {5, 13, SetKind, ObjectKindStillByOverride},
    {6, 11, SetKind, ObjectKindStillByOverride},
    {7, 3, SetKind, ObjectKindStillByOverride},
    {8, 8, SetShiftY, 1},
    {8, 12, SetShiftY, 1},
    {9, 22, SetKind, ObjectKindStillByOverride},
    {9, 14, SetShiftY, 1},
    {10, 6, SetKind, ObjectKindOutlined},
    {10, 7, SetKind, ObjectKindOutlined},
    {11, 8, SetKind, ObjectKindOutlined},
    {11, 10, SetKind, ObjectKindOutlined},
    {11, 16, SetKind, ObjectKindStillByOverride},
    {11, 14, SetShiftY, 1},
};
// clang-format on

static BlockPattern* firstAnimation(const ObjectDef& def) {
  return def.partCount > 0 && !def.partAnim.empty() ? def.partAnim[0] : nullptr;
}

// Part modes and type codes of a definition that decide its kind.
enum PartMode : int32_t { PartModeTiles = 0xA0, PartModeFlaggedTiles = 0xF0 };
enum TypeCode : uint32_t { TypeCodeStill = 2, TypeCodeComposite = 3, TypeCodeTiles = 6, TypeCodeOutlined = 9 };

static int32_t kindOf(const ObjectDef& def) {
  int32_t kind = ObjectKindObject;
  if (!def.partMode.empty() && def.partCount > 0) {
    if (def.partMode[0] == PartModeTiles) kind = ObjectKindTiles;
    if (def.partMode[0] == PartModeFlaggedTiles) kind = ObjectKindFlaggedTiles;
  }
  switch (def.typeCode) {  // the type code wins over the part mode
    case TypeCodeStill:
      return ObjectKindStill;
    case TypeCodeComposite:
      return ObjectKindComposite;
    case TypeCodeOutlined:
      return ObjectKindOutlined;
    case TypeCodeTiles:
      return ObjectKindTiles;
    default:
      return kind;
  }
}

// A definition drawn from all its parts spans their union; parts without an
// animation add nothing.
static void spanAllParts(ObjectDef* def) {
  int32_t minX = 0, minY = 0, maxX = def->width, maxY = def->height;
  for (uint32_t p = 0; p < def->partCount && p < def->partAnim.size(); p++) {
    const BlockPattern* anim = def->partAnim[p];
    if (!anim) continue;
    minX = std::min(minX, def->partDx[p]);
    minY = std::min(minY, def->partDy[p]);
    maxX = std::max(maxX, def->partDx[p] + static_cast<int32_t>(anim->width));
    maxY = std::max(maxY, def->partDy[p] + static_cast<int32_t>(anim->height));
  }
  def->shiftX = minX;
  def->shiftY = minY;
  def->width = maxX - minX;
  def->height = maxY - minY;
}

static void applyOverrides(int styleIndex, uint32_t index, ObjectDef* def) {
  for (const DefinitionOverride& row : definitionOverrides) {
    if (row.style != styleIndex || row.def != index) continue;
    switch (row.change) {
      case SetShiftY:
        def->shiftY = row.value;
        break;
      case SetKind:
        def->kind = row.value;
        break;
      case SetFirstFrameCount:
        if (BlockPattern* anim = firstAnimation(*def)) anim->frameCount = static_cast<uint32_t>(row.value);
        break;
    }
  }
}

static void bindDefinitions(Style* style) {
  for (uint32_t i = 0; i < style->objectDefCount && i < style->objectDefs.size(); i++) {
    ObjectDef& def = style->objectDefs[i];
    const BlockPattern* first = firstAnimation(def);
    def.width = first ? static_cast<int32_t>(first->width) : 0;
    def.height = first ? static_cast<int32_t>(first->height) : 0;
    def.shiftX = def.shiftY = 0;
    def.kind = kindOf(def);
    // Never more parts than were read, whatever the table says.
    if (i == 1 && style->styleIndex >= 0 && style->styleIndex < StyleCount)
      def.partCount = std::min<uint32_t>(definitionOnePartCount[style->styleIndex],
                                         static_cast<uint32_t>(def.partAnim.size()));
    if (def.kind == ObjectKindComposite) spanAllParts(&def);
    if (def.kind == ObjectKindTiles || def.kind == ObjectKindFlaggedTiles) def.shiftX = def.width;
    applyOverrides(style->styleIndex, i, &def);
  }
}

// Both element passes visit what was in the list when they started, stepping
// on from a removed element through the links it keeps.
static void bindTerrainCells(const Style& style, Level* level) {
  for (LevelObject* o = level->firstObject; o; o = o->next) {
    if (o->kind != ObjectKindTerrainCell) continue;
    if (o->value >= style.blockCount) removeObject(o, level);
    o->width = 1;
    o->height = 1;
    o->state = NotSelected;
    o->flags = o->paramA == 0x4000 ? 0x4000 : 0;
  }
}

static void bindObjects(const Style& style, Level* level) {
  for (LevelObject* o = level->firstObject; o; o = o->next) {
    if (o->kind != ObjectKindObject) continue;
    if (o->value >= style.objectDefCount || o->value >= style.objectDefs.size()) {
      removeObject(o, level);
      continue;
    }
    const ObjectDef& def = style.objectDefs[o->value];
    o->shiftX = def.shiftX;
    o->shiftY = def.shiftY;
    o->x += o->shiftX;
    o->y += o->shiftY;
    o->width = static_cast<uint32_t>(def.width);
    o->height = static_cast<uint32_t>(def.height);
    o->state = NotSelected;
    o->kind = static_cast<uint32_t>(def.kind);
    if (o->kind == ObjectKindFlaggedTiles) o->flags = 1;
    if (o->kind == ObjectKindTiles || o->kind == ObjectKindFlaggedTiles) {
      o->width *= o->paramA + 1;
      o->height *= o->paramB + 1;
    }
  }
}

void bindLevelToStyle(Style* style, Level* level) {
  bindDefinitions(style);
  bindTerrainCells(*style, level);
  bindObjects(*style, level);
}

uint32_t animPeriodOf(const Style& style) {
  uint32_t period = 1;
  for (const BlockPattern& anim : style.anims) period *= anim.frameCount;
  return period;
}
