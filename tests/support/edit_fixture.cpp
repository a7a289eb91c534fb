#include "support/edit_fixture.h"

#include "state/level_files.h"
#include "state/kept_levels.h"
#include "state/level_history.h"

static BlockPattern fixturePiece(uint32_t w, uint32_t h) {
  BlockPattern piece{};
  piece.width = w;
  piece.height = h;
  piece.frameCount = 1;
  piece.cellCount = w * h;
  piece.cells.assign(w * h, 7);
  piece.isPiece = 1;
  return piece;
}

static ObjectDef fixtureDef(int kind, int w, int h, int shiftX) {
  ObjectDef def{};
  def.kind = kind;
  def.width = w;
  def.height = h;
  def.shiftX = shiftX;
  return def;
}

void EditFixture::setUp(int width, int height, int styleIndex) {
  resetEditorState();
  window.width = 640;
  window.height = 480;
  editor.window = &window;
  editor.itemSize = 64;
  editor.barKind = BarPieces;
  editor.hoverItem = -1;
  editor.chosenItem = -1;

  currentStyle = Style{};
  currentStyle.styleIndex = styleIndex;
  currentStyle.pieces = {fixturePiece(1, 1), fixturePiece(3, 1), fixturePiece(2, 2)};
  currentStyle.pieceCount = 3;
  currentStyle.objectDefs = {fixtureDef(5, 1, 1, 0), fixtureDef(3, 1, 2, 1), fixtureDef(7, 2, 2, 0),
                             fixtureDef(4, 2, 1, 2)};
  currentStyle.objectDefCount = 4;

  currentLevel = Level{};
  currentLevel.style = styleIndex;
  currentLevel.width = width;
  currentLevel.height = height;
  editor.cameraX = width * 8;
  editor.cameraY = height * 4;
  recomputeOrigin();
  noteOwnFileHolds(editor.levelNumber, historyContent(currentHistory));  // as a load leaves it: clean
}

void EditFixture::recomputeOrigin() {
  editor.viewCentreX = window.width / 2;
  editor.viewCentreY = window.height / 2 - (editor.itemSize + 14) / 2;
  editor.originX = editor.viewCentreX - editor.cameraX * editor.zoom;
  editor.originY = editor.viewCentreY - editor.cameraY * editor.zoom;
}

void EditFixture::setZoom(int zoom) {
  editor.zoom = zoom;
  recomputeOrigin();
}

LevelObject* EditFixture::addCell(int x, int y, uint32_t block) {
  LevelObject* o = addObject(ObjectKindTerrainCell, block, x, y, 0, 0, &currentLevel);
  o->width = 1;
  o->height = 1;
  o->state = NotSelected;
  o->flags = 0;
  return o;
}

LevelObject* EditFixture::addPiece(int piece, int x, int y) {
  LevelObject* o = addObject(ObjectKindTerrainPiece, static_cast<uint32_t>(piece), x, y, 0, 0, &currentLevel);
  o->width = currentStyle.pieces[piece].width;
  o->height = currentStyle.pieces[piece].height;
  o->cells = currentStyle.pieces[piece].cells.data();
  o->state = NotSelected;
  o->flags = 0;
  return o;
}

LevelObject* EditFixture::addObjectOfDef(int def, int x, int y) {
  const ObjectDef& d = currentStyle.objectDefs[def];
  LevelObject* o = addObject(static_cast<uint32_t>(d.kind), static_cast<uint32_t>(def), x, y, 0, 0, &currentLevel);
  o->width = static_cast<uint32_t>(d.width);
  o->height = static_cast<uint32_t>(d.height);
  o->shiftX = d.shiftX;
  o->shiftY = d.shiftY;
  o->state = NotSelected;
  return o;
}

int EditFixture::clientX(int bx) const { return editor.originX + bx * 16 * editor.zoom; }
int EditFixture::clientY(int by) const { return editor.originY + by * 8 * editor.zoom; }

LevelObject* elementAt(int index) {
  LevelObject* o = currentLevel.firstObject;
  for (int i = 0; i < index && o; ++i) o = o->next;
  return o;
}
