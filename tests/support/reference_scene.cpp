#include "support/reference_scene.h"

#include <GL/gl.h>
#include <algorithm>

#include "data/level_writer.h"
#include "render/block_route.h"
#include "render/fill.h"
#include "render/overlays.h"
#include "render/panel_draw.h"
#include "render/scene.h"
#include "render/textures.h"
#include "state/camera.h"
#include "state/editor_state.h"
#include "state/panel_metrics.h"

// The pattern and object primitives draw block by block on the one-by-one
// route, as here; what is restated is every caller that now batches.

static void referenceOffset(const LevelObject& e, int* dx, int* dy) {
  const bool moving = editor.editState == MovingSelection && e.state != NotSelected;
  *dx = moving ? editor.dragBlocksX : 0;
  *dy = moving ? editor.dragBlocksY : 0;
}

static void referenceTint(Tint t) { glColor3f(t.r, t.g, t.b); }

static bool referenceWhole(const LevelObject& e, int* dx, int* dy) {
  referenceOffset(e, dx, dy);
  return storedWhole(currentLevel, e, e.x + *dx, e.y + *dy);
}

static Tint referenceScaled(Tint t, float by) { return {t.r * by, t.g * by, t.b * by}; }

static void referenceTerrain(const LevelObject& e, int dx, int dy, float brightness) {
  referenceTint(referenceScaled(editor.altView == 1 ? altTerrainTint(e.kind, e.flags) : Tint{1, 1, 1}, brightness));
  if (e.kind == ObjectKindTerrainCell) return drawBlock(e.value, e.x + dx, e.y + dy, levelBlockSet(editor.altView));
  if (e.value < currentStyle.pieces.size())
    drawPatternTiled(currentStyle.pieces[e.value], static_cast<int>(e.paramA), static_cast<int>(e.paramB), e.x + dx,
                     e.y + dy);
}

static void referenceObject(const LevelObject& e, int dx, int dy, float brightness) {
  if (e.value >= currentStyle.objectDefs.size()) return;
  referenceTint(referenceScaled({1, 1, 1}, brightness));
  drawObject(currentStyle.objectDefs[e.value], static_cast<int>(e.paramA), static_cast<int>(e.paramB), e.x + dx,
             e.y + dy, brightness);
}

static void referenceLevel() {
  glPushMatrix();
  levelTransform();
  if (editor.altView == 1) {
    glColor3f(0.0f, 0.0f, 0.0f);
  } else {
    const uint8_t* c = currentStyle.palette[0];
    glColor3d(c[0] / 255.0, c[1] / 255.0, c[2] / 255.0);
  }
  fillRect(0, 0, currentLevel.width * LevelPixelsPerBlock, currentLevel.height * LevelPixelsPerRow);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  beginBlocks(RouteOneByOne, levelBlockSet(editor.altView));
  int dx = 0, dy = 0;
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (e.kind == ObjectKindTerrainCell && referenceWhole(e, &dx, &dy)) referenceTerrain(e, dx, dy, 1.0f);
  });
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (e.kind == ObjectKindTerrainPiece && referenceWhole(e, &dx, &dy)) referenceTerrain(e, dx, dy, 1.0f);
  });
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (!isTerrainKind(e.kind) && referenceWhole(e, &dx, &dy)) referenceObject(e, dx, dy, 1.0f);
  });
  endBlocks();
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

// What a save leaves out, dimmed above the margins: terrain, then objects.
static void referenceLeftOut() {
  glPushMatrix();
  levelTransform();
  glEnable(GL_TEXTURE_2D);
  beginBlocks(RouteOneByOne, levelBlockSet(editor.altView));
  int dx = 0, dy = 0;
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (isTerrainKind(e.kind) && !referenceWhole(e, &dx, &dy)) referenceTerrain(e, dx, dy, LeftOutBrightness);
  });
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (!isTerrainKind(e.kind) && !referenceWhole(e, &dx, &dy)) referenceObject(e, dx, dy, LeftOutBrightness);
  });
  endBlocks();
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

static bool referencePlacing() {
  const int s = editor.editState;
  return s == Placing || s == SizingNewObject || s == PanningWhilePlacing;
}

static void referenceNewObject() {
  if (!referencePlacing()) return;
  glPushMatrix();
  levelTransform();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  beginBlocks(RouteOneByOne, levelBlockSet(editor.altView));
  const LevelObject& item = editor.newObject;
  int column = item.x;
  int row = item.y;
  if (editor.spanX < 0) column += editor.spanX * editor.newItemWidth;
  if (editor.spanY < 0) row += editor.spanY * editor.newItemHeight;
  const int countX = static_cast<int>(item.paramA);
  const int countY = static_cast<int>(item.paramB);
  if (item.kind == ObjectKindTerrainPiece) {
    if (item.value < currentStyle.pieces.size())
      drawPatternTiled(currentStyle.pieces[item.value], countX, countY, column, row);
  } else if (item.value < currentStyle.objectDefs.size()) {
    drawObject(currentStyle.objectDefs[item.value], countX, countY, column, row);
  }
  endBlocks();
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

static void grey(float level) { glColor3f(level, level, level); }

static void referenceItemCell(int size, int index) {
  if (index < 0) return;
  const ObjectDef* def = nullptr;
  const BlockPattern* piece = nullptr;
  int w, h;
  bool back = true;
  if (editor.barKind == BarObjects) {
    if (static_cast<size_t>(index) >= std::min<size_t>(currentStyle.objectDefCount, currentStyle.objectDefs.size()))
      return;
    def = &currentStyle.objectDefs[index];
    w = def->width * LevelPixelsPerBlock;
    h = def->height * LevelPixelsPerRow;
    back = def->kind != ObjectKindComposite;
  } else {
    if (static_cast<size_t>(index) >= std::min<size_t>(currentStyle.pieceCount, currentStyle.pieces.size()))
      return;
    piece = &currentStyle.pieces[index];
    w = static_cast<int>(piece->width) * LevelPixelsPerBlock;
    h = static_cast<int>(piece->height) * LevelPixelsPerRow;
  }
  const int extent = std::max(w, h);
  const float scale = extent > 0 ? std::min(1.0f, static_cast<float>(size) / static_cast<float>(extent)) : 1.0f;
  const bool chosen = referencePlacing() && index == editor.chosenItem;

  if (chosen) glColor3f(0.5f, 0.5f, 1.0f);
  else if (index == editor.hoverItem) glColor3f(0.75f, 0.75f, 1.0f);
  else grey(1.0f);
  fillRect(0, 0, size, size);

  glPushMatrix();
  glTranslatef(static_cast<float>(size / 2), static_cast<float>(size / 2), 0.0f);
  glScalef(scale, scale, 1.0f);
  glTranslatef(static_cast<float>(-w / 2.0), static_cast<float>(-h / 2.0), 0.0f);
  if (back) {
    const uint8_t* c = currentStyle.palette[0];
    glColor3f(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f);
    fillRect(0, 0, w, h);
  }
  grey(1.0f);
  glEnable(GL_TEXTURE_2D);
  if (def) drawObject(*def, 0, 0, 0, 0);
  else drawPatternTiled(*piece, 0, 0, 0, 0);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();

  if (chosen) glColor3f(0.0f, 0.0f, 1.0f);
  else grey(0.5f);
  glBegin(GL_LINE_LOOP);
  glVertex2i(0, 1);
  glVertex2i(size, 1);
  glVertex2i(size - 1, 1);
  glVertex2i(size - 1, size);
  glVertex2i(0, size);
  glEnd();
}

static void referenceItemBar() {
  if (!editor.window) return;
  const int cw = clientWidth();
  const int ch = clientHeight();
  const int size = editor.itemSize;
  const int pitch = itemPitch();
  if (pitch <= 0) return;
  glPushMatrix();
  glTranslatef(0.0f, static_cast<float>(ch - barHeight()), 0.0f);
  grey(1.0f);
  fillRect(0, 0, cw, barHeight());
  const int offset = stripOffset();
  const int first = offset / pitch;
  const int n = visibleStripWidth() / pitch + 1;
  glPushMatrix();
  glTranslatef(static_cast<float>(BarCellLeft - offset % pitch), static_cast<float>(BarCellTop), 0.0f);
  for (int index = first; index <= first + n; ++index) {
    referenceItemCell(size, index);
    glTranslatef(static_cast<float>(pitch), 0.0f, 0.0f);
  }
  glPopMatrix();
  drawBevel(0, 0, cw, barHeight(), BevelSunkenOutline);
  glPopMatrix();
}

void drawSceneReference() {
  recentre();
  referenceLevel();
  drawStartView();
  drawMargins();
  referenceLeftOut();
  drawResizeGuides();
  referenceNewObject();
  drawHighlights();
  drawBand();
  drawAltMarks();
  referenceItemBar();
  panelDraw(&editor.panels[1]);
}
