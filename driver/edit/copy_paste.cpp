// Copy, cut and paste through the clipboard's text. The copy keeps what the
// user chose (kind, value, parameters, flags, relative positions); extent,
// shift and cells come from the style at the paste, as binding and placing
// give them, so a pasted element is what placing it would have made.
#include "edit/copy_paste.h"

#include <algorithm>
#include <climits>

#include "data/element_copy.h"
#include "edit/edit_steps.h"
#include "edit/operations.h"
#include "platform/clipboard.h"
#include "state/camera.h"
#include "state/editor_state.h"

static const char* const NoElementsReason = "not pasted: the clipboard holds no level elements";

static const char* pasteStyleStem() {
  return currentLevel.style >= 0 && currentLevel.style < StyleCount ? styleTable[currentLevel.style].stem : "";
}

std::string selectionCopyText() {
  ElementCopy copy;
  copy.style = pasteStyleStem();
  int left = INT_MAX, top = INT_MAX;
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (e.state != Selected) return;
    copy.elements.push_back({e.kind, e.value, e.x, e.y, e.paramA, e.paramB, e.flags});
    left = std::min(left, e.x);
    top = std::min(top, e.y);
  });
  if (copy.elements.empty()) return "";
  for (CopiedElement& e : copy.elements) {
    e.x -= left;
    e.y -= top;
  }
  return elementCopyText(copy);
}

// The element's value names something the current style holds, and an
// object's kind is its definition's.
static bool pasteFitsStyle(const CopiedElement& e) {
  if (e.kind == ObjectKindTerrainCell) return e.value < currentStyle.blockCount;
  if (e.kind == ObjectKindTerrainPiece) return e.value < currentStyle.pieces.size();
  return e.value < currentStyle.objectDefs.size() && currentStyle.objectDefs[e.value].kind == int32_t(e.kind);
}

// Extent, shift and cells as binding (objects, cells) and placing (pieces) set them.
static void pasteComplete(LevelObject* o, uint32_t flags) {
  o->flags = flags;
  o->shiftX = o->shiftY = 0;
  o->width = o->height = 1;
  o->cells = nullptr;
  if (o->kind == ObjectKindTerrainPiece) {
    const BlockPattern& piece = currentStyle.pieces[o->value];
    o->cells = piece.cells.data();
    o->width = piece.width;
    o->height = piece.height;
  } else if (!isTerrainKind(o->kind)) {
    const ObjectDef& def = currentStyle.objectDefs[o->value];
    o->shiftX = def.shiftX;
    o->shiftY = def.shiftY;
    o->width = static_cast<uint32_t>(def.width);
    o->height = static_cast<uint32_t>(def.height);
  }
  if (isTiledKind(o->kind)) {
    o->width *= o->paramA + 1;
    o->height *= o->paramB + 1;
  }
}

// The paste editAsOneStep runs: the checked copy, and where its top-left goes.
static ElementCopy pending;
static int pendingDx, pendingDy;

static void pasteAction() {
  clearSelection();
  for (const CopiedElement& e : pending.elements) {
    LevelObject* o = addObject(e.kind, e.value, e.x + pendingDx, e.y + pendingDy, e.paramA, e.paramB, &currentLevel);
    pasteComplete(o, e.flags);
    o->state = Selected;
  }
}

int pasteCopyText(const std::string& text, int column, int row) {
  if (parseElementCopy(text, &pending) != 0) {
    refuseEdit("%s", NoElementsReason);
    return 1;
  }
  if (pending.style != pasteStyleStem()) {
    refuseEdit("not pasted: copied from style %s", pending.style.c_str());
    return 1;
  }
  int objects = 0, left = INT_MAX, top = INT_MAX;
  for (const CopiedElement& e : pending.elements) {
    if (!pasteFitsStyle(e)) {
      refuseEdit("%s", NoElementsReason);
      return 1;
    }
    if (!isTerrainKind(e.kind)) ++objects;
    left = std::min(left, e.x);
    top = std::min(top, e.y);
  }
  if (objectRecordCount(currentLevel) + objects > LevelObjectRecords) {
    refuseEdit("not pasted: a level holds at most %d objects", LevelObjectRecords);
    return 1;
  }
  if (currentLevel.objectCount + pending.elements.size() > size_t(LevelPoolSize)) {
    refuseEdit("not pasted: a level holds at most %d elements", LevelPoolSize);
    return 1;
  }
  pendingDx = column - left;
  pendingDy = row - top;
  editAsOneStep(pasteAction);
  findHover();
  return 0;
}

void pasteBlock(int* column, int* row) {
  if (blockUnderPointer(column, row)) return;
  blockAtClientPoint(editor.viewCentreX, editor.viewCentreY, column, row);
  *column = std::clamp(*column, 0, std::max(currentLevel.width - 1, 0));
  *row = std::clamp(*row, 0, std::max(currentLevel.height - 1, 0));
}

void copyToClipboard() {
  const std::string text = selectionCopyText();
  if (!text.empty()) clipboardSetText(text);
}

void cutToClipboard() {
  const std::string text = selectionCopyText();
  if (text.empty() || clipboardSetText(text) != 0) return;  // a cut that could not be copied deletes nothing
  editAsOneStep(deleteSelection);
}

void pasteFromClipboard() {
  int column = 0, row = 0;
  pasteBlock(&column, &row);
  pasteCopyText(clipboardText(), column, row);
}
