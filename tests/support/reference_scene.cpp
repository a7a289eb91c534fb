#include "support/reference_scene.h"

#include <GL/gl.h>
#include <cmath>

#include "state/editor_state.h"
#include "state/camera.h"
#include "render/overlays.h"
#include "render/panel_draw.h"
#include "render/scene.h"
#include "render/textures.h"

// The pattern primitives draw block by block whenever no batch is open, as
// here; only the element passes around them are restated.

static void referenceTint(Tint t) { glColor3f(t.r, t.g, t.b); }

static void referenceOffset(const LevelObject& e, int* dx, int* dy) {
  const bool moving = editor.editState == MovingSelection && e.state != 0;
  *dx = moving ? editor.dragBlocksX : 0;
  *dy = moving ? editor.dragBlocksY : 0;
}

template <typename Visit>
static void referenceEachElement(Visit visit) {
  LevelObject* e = currentLevel.firstObject;
  for (uint32_t i = 0; i < currentLevel.objectCount && e; ++i, e = e->next) visit(*e);
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
  glBegin(GL_TRIANGLE_STRIP);
  glVertex2i(0, 0);
  glVertex2i(0, currentLevel.height * 8);
  glVertex2i(currentLevel.width * 16, 0);
  glVertex2i(currentLevel.width * 16, currentLevel.height * 8);
  glEnd();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  int dx = 0, dy = 0;
  referenceEachElement([&](const LevelObject& e) {
    if (e.kind != ObjectKindTerrainCell) return;
    referenceOffset(e, &dx, &dy);
    if (editor.altView == 1) referenceTint(altTerrainTint(e.kind, e.flags));
    drawBlock(e.value, e.x + dx, e.y + dy);
  });
  referenceEachElement([&](const LevelObject& e) {
    if (e.kind != ObjectKindTerrainPiece) return;
    referenceOffset(e, &dx, &dy);
    if (editor.altView == 1) referenceTint(altTerrainTint(e.kind, e.flags));
    if (e.value < currentStyle.pieces.size())
      drawPatternTiled(currentStyle.pieces[e.value], static_cast<int>(e.paramA), static_cast<int>(e.paramB),
                       e.x + dx, e.y + dy);
  });
  referenceEachElement([&](const LevelObject& e) {
    if (e.kind == ObjectKindTerrainCell || e.kind == ObjectKindTerrainPiece) return;
    referenceOffset(e, &dx, &dy);
    if (e.value < currentStyle.objectDefs.size())
      drawObject(currentStyle.objectDefs[e.value], static_cast<int>(e.paramA), static_cast<int>(e.paramB),
                 e.x + dx, e.y + dy);
  });
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

static void referenceNewObject() {
  const int s = editor.editState;
  if (s != Placing && s != SizingNewObject && s != PanningWhilePlacing) return;
  glPushMatrix();
  levelTransform();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
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
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

void drawSceneReference() {
  panelPass = 0;
  recentre();
  referenceLevel();
  drawStartView();
  drawMargins();
  drawResizeGuides();
  referenceNewObject();
  drawHighlights();
  drawBand();
  drawAltMarks();
  panelPass = 1;
  drawItemBar();
  panelDraw(&editor.panels[1]);
}
