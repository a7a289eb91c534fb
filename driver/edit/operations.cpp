// Operations the keyboard and mouse apply to the level being edited.
//
// Contents
//   [hit testing]   scanBand (markBand, findHover, anySelectedAt)
//   [selection]     clearSelection, dropMarks, commitMarks, moveSelection,
//                   deleteSelection, toggleTerrainFlag, selectAll, nudgeSelection
//   [placing]       chooseItem, startNewObject, sizeNewObject, commitNewObject
//   [resizing]      maxHeightForWidth, maxWidthForHeight, updatePendingResize,
//                   applyResize
#include "edit/operations.h"

#include <cstdlib>
#include <utility>

#include "edit/edit_steps.h"
#include "platform/events.h"
#include "state/camera.h"
#include "state/editor_state.h"

// [hit testing] ---------------------------------------------------------------

// Which elements each precedence pass of scanBand takes: objects over pieces
// over cells.
static bool opsInPass(const LevelObject& object, int pass) {
  if (pass == 0) return !isTerrainKind(object.kind);
  if (pass == 1) return object.kind == ObjectKindTerrainPiece;
  return object.kind == ObjectKindTerrainCell;
}

// The element's client rectangle, both corners inclusive, overlaps [a,b]x[c,d].
static bool opsOverlaps(const LevelObject& object, int a, int b, int c, int d) {
  const int left = columnToClientX(object.x);
  const int top = rowToClientY(object.y);
  const int right = columnToClientX(object.x + static_cast<int>(object.width)) - 1;
  const int bottom = rowToClientY(object.y + static_cast<int>(object.height)) - 1;
  return right >= a && b >= left && bottom >= c && d >= top;
}

int scanBand(int mode) {
  int a = editor.anchorX, b = editor.anchorX + editor.dragDx;
  int c = editor.anchorY, d = editor.anchorY + editor.dragDy;
  if (a > b) std::swap(a, b);
  if (c > d) std::swap(c, d);

  for (int pass = 0; pass < 3; ++pass) {
    LevelObject* object = currentLevel.lastObject;
    for (uint32_t i = 0; i < currentLevel.objectCount && object; ++i, object = object->prev) {
      if (!opsInPass(*object, pass) || !opsOverlaps(*object, a, b, c, d)) continue;
      switch (mode) {
        case BandAnySelected:
          if (object->state == Selected) return 1;
          break;
        case BandAdd:
          if (object->state == NotSelected) object->state = BandMarked;
          break;
        case BandToggle:
          if (object->state == NotSelected) object->state = BandMarked;
          else if (object->state == Selected) object->state = BandUnmarked;
          break;
        case BandFindHover:
          editor.hoverObject = object;
          return 1;
      }
    }
  }
  if (mode == BandFindHover) editor.hoverObject = nullptr;
  return 0;
}

// [selection] -------------------------------------------------------------------

// Calls apply on every element whose state is not NotSelected; apply may
// remove the element it is given.
template <typename Apply>
static void opsForEachMarked(Apply apply) {
  forEachElement(currentLevel, [&](LevelObject& object) {
    if (object.state != NotSelected) apply(&object);
  });
}

void clearSelection() {
  opsForEachMarked([](LevelObject* o) { o->state = NotSelected; });
}

void dropMarks() {
  // Clearing the band's bit leaves what was selected before the band.
  opsForEachMarked([](LevelObject* o) { o->state &= Selected; });
}

void commitMarks() {
  opsForEachMarked([](LevelObject* o) {
    if (o->state == BandMarked) o->state = Selected;
    else if (o->state == BandUnmarked) o->state = NotSelected;
  });
}

void moveSelection() {
  opsForEachMarked([](LevelObject* o) {
    o->x += editor.dragBlocksX;
    o->y += editor.dragBlocksY;
  });
}

void deleteSelection() {
  opsForEachMarked([](LevelObject* o) {
    // The freed slot may be reused by the next placement; the hover must
    // not keep pointing at it.
    if (editor.hoverObject == o) editor.hoverObject = nullptr;
    removeObject(o, &currentLevel);
  });
}

void toggleTerrainFlag() {
  opsForEachMarked([](LevelObject* o) {
    if (isTerrainKind(o->kind) && o->state == Selected) o->flags = 16384 - o->flags;
  });
}

void selectAll() {
  forEachElement(currentLevel, [](LevelObject& o) { o.state = Selected; });
}

// The release of a drag runs moveSelection over the drag in blocks; a nudge
// runs the same, so both save the same bytes.
void nudgeSelection(int dx, int dy) {
  editor.dragBlocksX = dx;
  editor.dragBlocksY = dy;
  editAsOneStep(moveSelection);
  editor.dragBlocksX = editor.dragBlocksY = 0;
  findHover();
}

// [placing] ---------------------------------------------------------------------

// Number of items the bar lists for a list kind; an index at or past it is no item.
static int opsItemCount(int listKind) {
  if (listKind == BarObjects) return static_cast<int>(currentStyle.objectDefs.size());
  if (listKind == BarPieces) return static_cast<int>(currentStyle.pieces.size());
  return 0;
}

void chooseItem(int button) {
  if (editor.hoverItem == -1 || button != ButtonLeft) return;
  if (editor.editState != Idle && editor.editState != Placing) return;
  if (editor.hoverItem < 0 || editor.hoverItem >= opsItemCount(editor.barKind)) return;
  editor.chosenItem = editor.hoverItem;
  editor.editState = Placing;
  startNewObject(editor.barKind, editor.chosenItem);
}

void snapToCursor(LevelObject* object) {
  object->x = ((editor.mouseX - editor.originX) / LevelPixelsPerBlock) / editor.zoom;
  object->y = ((editor.mouseY - editor.originY) / LevelPixelsPerRow) / editor.zoom;
}

void startNewObject(int listKind, int index) {
  LevelObject& item = editor.newObject;
  const bool inRange = index >= 0 && index < opsItemCount(listKind);
  if (listKind == BarObjects && inRange) {
    const ObjectDef& def = currentStyle.objectDefs[index];
    item.kind = static_cast<uint32_t>(def.kind);
    editor.newItemWidth = def.width;
    editor.newItemHeight = def.height;
  } else if (listKind == BarPieces && inRange) {
    const BlockPattern& piece = currentStyle.pieces[index];
    item.kind = ObjectKindTerrainPiece;
    editor.newItemWidth = static_cast<int>(piece.width);
    editor.newItemHeight = static_cast<int>(piece.height);
  }
  item.value = static_cast<uint32_t>(index);
  item.paramA = 0;
  item.paramB = 0;
  snapToCursor(&item);
  item.width = static_cast<uint32_t>(editor.newItemWidth);
  item.height = static_cast<uint32_t>(editor.newItemHeight);
}

// Size in blocks of one copy of the item being sized (pieces and tiles), at least
// 1 so that an empty piece or definition cannot divide by zero.
static void opsCopySize(const LevelObject& item, int* w, int* h) {
  *w = 1;
  *h = 1;
  if (item.kind == ObjectKindTerrainPiece && item.value < currentStyle.pieces.size()) {
    *w = static_cast<int>(currentStyle.pieces[item.value].width);
    *h = static_cast<int>(currentStyle.pieces[item.value].height);
  } else if (item.kind != ObjectKindTerrainPiece && item.value < currentStyle.objectDefs.size()) {
    *w = currentStyle.objectDefs[item.value].width;
    *h = currentStyle.objectDefs[item.value].height;
  }
  if (*w < 1) *w = 1;
  if (*h < 1) *h = 1;
}

// Copies across (or down) from the drag in blocks and pixels: dragging back by
// even one pixel gives two copies.
static int opsCopyCount(int blocks, int pixels, int itemSize) {
  int count = blocks / itemSize;
  return pixels < 0 ? count - 2 : count + 1;
}

static int opsSpan(int count) {
  return count - 1 < 0 ? count + 1 : count - 1;
}

void sizeNewObject() {
  LevelObject& item = editor.newObject;
  const int z = editor.zoom;
  editor.dragDx = editor.mouseX - columnToClientX(item.x);
  editor.dragDy = editor.mouseY - rowToClientY(item.y);
  editor.dragBlocksX = editor.dragDx / (LevelPixelsPerBlock * z);
  editor.dragBlocksY = editor.dragDy / (LevelPixelsPerRow * z);
  if (!isTiledKind(item.kind)) {
    editor.spanX = 0;
    editor.spanY = 0;
    return;
  }
  int w, h;
  opsCopySize(item, &w, &h);
  const int cx = opsCopyCount(editor.dragBlocksX, editor.dragDx, w);
  const int cy = opsCopyCount(editor.dragBlocksY, editor.dragDy, h);
  editor.spanX = opsSpan(cx);
  editor.spanY = opsSpan(cy);
  item.width = static_cast<uint32_t>(std::abs(cx) * editor.newItemWidth);
  item.height = static_cast<uint32_t>(std::abs(cy) * editor.newItemHeight);
  item.paramA = static_cast<uint32_t>(std::abs(cx) - 1);
  item.paramB = static_cast<uint32_t>(std::abs(cy) - 1);
}

void commitNewObject() {
  const LevelObject& item = editor.newObject;
  const bool isPiece = item.kind == ObjectKindTerrainPiece;
  if (isPiece && item.value >= currentStyle.pieces.size()) return;
  if (!isPiece && item.value >= currentStyle.objectDefs.size()) return;
  // The file holds only LevelObjectRecords objects; one more would be lost on save.
  if (!isPiece && objectRecordCount(currentLevel) >= LevelObjectRecords) {
    refuseEdit("not placed: a level holds at most %d objects", LevelObjectRecords);
    return;
  }

  LevelObject* added = addObject(item.kind, item.value, item.x, item.y, item.paramA, item.paramB,
                                 &currentLevel);
  if (!added) {  // pool full: the level stays as it was
    refuseEdit("not placed: a level holds at most %d elements", LevelPoolSize);
    return;
  }
  if (isPiece) {
    added->shiftX = 0;
    added->shiftY = 0;
    added->cells = currentStyle.pieces[item.value].cells.data();
    added->flags = 0;
  } else {
    added->shiftX = currentStyle.objectDefs[item.value].shiftX;
    added->shiftY = currentStyle.objectDefs[item.value].shiftY;
  }
  if (editor.spanX < 0) added->x += editor.spanX * editor.newItemWidth;
  if (editor.spanY < 0) added->y += editor.spanY * editor.newItemHeight;
  added->width = item.width;
  added->height = item.height;
  clearSelection();
  added->state = Selected;
}

// [resizing] ----------------------------------------------------------------------

// Size classes: a width up to limitWidth allows a height up to limitHeight.
struct OpsSizeClass {
  int limitWidth;
  int limitHeight;
};
static const OpsSizeClass opsSizeClasses[] = {
    {20, 80}, {24, 64}, {32, 50}, {40, 40}, {50, 32}, {64, 24}, {80, 20},
};

int maxHeightForWidth(int width) {
  if (width < 20 || width > 80) return 0;
  for (const OpsSizeClass& c : opsSizeClasses) {
    if (c.limitWidth >= width) return c.limitHeight;
  }
  return 0;
}

int maxWidthForHeight(int height) {
  if (height < 20 || height > 80) return 0;
  // The table is symmetric with its columns exchanged, so the same rows serve.
  for (const OpsSizeClass& c : opsSizeClasses) {
    if (c.limitWidth >= height) return c.limitHeight;
  }
  return 0;
}

static void opsRefuseResize() {
  editor.edgeMask |= editor.edgeMask << EdgeRefusedShift;
}

// An edge drag holds the change at the largest size the table allows. A loaded
// level may lie outside the table: when no size suits it (limit 0) the clamp
// would ask for a size of 0, so the resize is refused instead.
static void opsHoldAtLimit(int limit, int size, int* delta) {
  if (limit < 20) opsRefuseResize();
  else *delta = limit - size;
}

// The change the drag asks for, before the size table has its say: outward
// positive, only along the dragged edges, never below 20 blocks or rows.
static void opsAskedResize(int* dx, int* dy) {
  *dx = editor.dragBlocksX;
  *dy = editor.dragBlocksY;
  if (editor.edgeMask & EdgeLeft) *dx = -*dx;
  if (editor.edgeMask & EdgeTop) *dy = -*dy;
  // The edges themselves, without the refusal mark the last move may have left.
  const int edges = editor.edgeMask & EdgeBits;
  if (edges == EdgeTop || edges == EdgeBottom) *dx = 0;
  if (edges == EdgeLeft || edges == EdgeRight) *dy = 0;
  if (currentLevel.width + *dx < 20) *dx = 20 - currentLevel.width;
  if (currentLevel.height + *dy < 20) *dy = 20 - currentLevel.height;
}

int resizeAskedOutsideTable(int* width, int* height) {
  int dx, dy;
  opsAskedResize(&dx, &dy);
  *width = currentLevel.width + dx;
  *height = currentLevel.height + dy;
  return (dx != 0 || dy != 0) && *height > maxHeightForWidth(*width);
}

void updatePendingResize() {
  const int w = currentLevel.width, h = currentLevel.height;
  opsAskedResize(&editor.resizeDx, &editor.resizeDy);
  editor.edgeMask &= EdgeBits;

  const int nw = w + editor.resizeDx, nh = h + editor.resizeDy;
  if (nh <= maxHeightForWidth(nw)) return;
  switch (editor.edgeMask) {
    case EdgeLeft:
    case EdgeRight:
      opsHoldAtLimit(maxWidthForHeight(nh), w, &editor.resizeDx);
      break;
    case EdgeTop:
    case EdgeBottom:
      opsHoldAtLimit(maxHeightForWidth(nw), h, &editor.resizeDy);
      break;
    case EdgeLeft | EdgeTop:
    case EdgeRight | EdgeTop:
    case EdgeLeft | EdgeBottom:
    case EdgeRight | EdgeBottom:
      opsRefuseResize();
      break;
    default:
      break;
  }
}

// One axis of an applied resize. Moving the near (left or top) edge shifts
// the camera with the content; either way the start view stays inside.
static void opsResizeAxis(int delta, bool nearEdge, bool farEdge, int unitPixels, int32_t* size,
                          int32_t* start, int* camera) {
  if (delta == 0) return;
  if (nearEdge) {
    if (*start < -delta) *start = -delta;
    *camera += delta * unitPixels;
    *start += delta;
  } else if (farEdge) {
    if (*size + delta < *start + LevelStartViewBlocks) *start = *size + delta - LevelStartViewBlocks;
  }
  if (nearEdge || farEdge) *size += delta;
}

void applyResize() {
  const int dx = editor.resizeDx, dy = editor.resizeDy, mask = editor.edgeMask;
  forEachElement(currentLevel, [&](LevelObject& object) {
    if (dx != 0 && (mask & EdgeLeft)) object.x += dx;
    if (dy != 0 && (mask & EdgeTop)) object.y += dy;
  });
  opsResizeAxis(dx, mask & EdgeLeft, mask & EdgeRight, LevelPixelsPerBlock, &currentLevel.width, &currentLevel.startX, &editor.cameraX);
  opsResizeAxis(dy, mask & EdgeTop, mask & EdgeBottom, LevelPixelsPerRow, &currentLevel.height, &currentLevel.startY, &editor.cameraY);
}
