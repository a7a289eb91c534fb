// The level picture: scene order, the level transform, the three element
// passes, the pattern and object primitives, and the alternate-view tints.
#include "render/scene.h"

#include <GL/gl.h>
#include <cmath>

#include "state/editor_state.h"
#include "data/level_writer.h"
#include "render/fill.h"
#include "render/block_route.h"
#include "render/terrain_look.h"
#include "render/overlays.h"
#include "render/panel_draw.h"
#include "state/camera.h"
#include "render/textures.h"

Tint altObjectTint(int kind) {
  switch (kind) {
    case ObjectKindFlaggedTiles: return {0.5f, 0.5f, 0.5f};
    case ObjectKindTiles: return {0.0f, 0.0f, 1.0f};
    case ObjectKindStill: return {0.0f, 1.0f, 1.0f};
    case ObjectKindComposite: return {0.0f, 1.0f, 0.0f};
    case ObjectKindOutlined: return {1.0f, 0.0f, 0.0f};
    case ObjectKindObject: return {1.0f, 0.0f, 1.0f};
    case ObjectKindStillByOverride: return {1.0f, 0.5f, 0.0f};
    default: return {1.0f, 1.0f, 1.0f};
  }
}

Tint altTerrainTint(uint32_t elementKind, uint32_t flags) {
  // Flags other than 0 and 0x4000 would otherwise inherit whatever tint the
  // previous element left; they are shown as the 0x4000 (steel-like) class.
  if (flags == 0) return {1.0f, 1.0f, 0.0f};
  return elementKind == ObjectKindTerrainCell ? Tint{0.5f, 0.5f, 0.0f} : Tint{0.5f, 0.5f, 0.5f};
}

// The one style whose outlined objects animate; elsewhere they stand still.
constexpr int OutlinedAnimatedStyle = 11;

void drawScene() {
  recentre();
  drawLevel();
  drawStartView();
  drawMargins();
  drawLeftOut();
  drawResizeGuides();
  drawNewObject();
  drawHighlights();
  drawBand();
  drawAltMarks();
  drawItemBar();
  panelDraw(&editor.panels[1]);
}

void levelTransform() {
  glTranslated(editor.viewCentreX, editor.viewCentreY, 0.0);
  glScaled(editor.zoom, editor.zoom, 0.0);
  glTranslated(-std::floor(static_cast<double>(editor.cameraX)), -std::floor(static_cast<double>(editor.cameraY)),
               0.0);
  glTranslated(editor.dragPixelsX, editor.dragPixelsY, 0.0);
}

void elementOffset(const LevelObject& e, int* dx, int* dy) {
  const bool moving = editor.editState == MovingSelection && e.state != NotSelected;
  *dx = moving ? editor.dragBlocksX : 0;
  *dy = moving ? editor.dragBlocksY : 0;
}

bool storedWholeWhereDrawn(const LevelObject& e, int* dx, int* dy) {
  elementOffset(e, dx, dy);
  return storedWhole(currentLevel, e, e.x + *dx, e.y + *dy);
}

static Tint sceneScaled(Tint tint, float brightness) {
  return {tint.r * brightness, tint.g * brightness, tint.b * brightness};
}

// One cell or piece in the current block route.
static void sceneTerrainElement(const DrawnTerrain& d, int altView, float brightness) {
  const Tint plain{1.0f, 1.0f, 1.0f};
  if (altView == 1 || brightness != 1.0f)
    routeTint(sceneScaled(altView == 1 ? altTerrainTint(d.kind, d.flags) : plain, brightness));
  if (d.kind == ObjectKindTerrainCell) return routeBlock(d.value, d.x, d.y);
  if (d.value < currentStyle.pieces.size())
    drawPatternTiled(currentStyle.pieces[d.value], static_cast<int>(d.paramA), static_cast<int>(d.paramB), d.x, d.y);
}

// One object in the current block route.
static void sceneObjectElement(const LevelObject& e, int dx, int dy, float brightness) {
  if (e.value >= currentStyle.objectDefs.size()) return;
  routeTint(sceneScaled({1.0f, 1.0f, 1.0f}, brightness));
  drawObject(currentStyle.objectDefs[e.value], static_cast<int>(e.paramA), static_cast<int>(e.paramB), e.x + dx,
             e.y + dy, brightness);
}

// The background, then the cells, then the pieces, from the look alone.
static void drawTerrain(const TerrainLook& look) {
  if (look.altView == 1) glColor3f(0.0f, 0.0f, 0.0f);
  else glColor3d(look.background[0] / 255.0, look.background[1] / 255.0, look.background[2] / 255.0);
  fillRect(0, 0, look.width * LevelPixelsPerBlock, look.height * LevelPixelsPerRow);
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  beginBlocks(RouteBatch, levelBlockSet(look.altView));
  for (const DrawnTerrain& d : look.cells) sceneTerrainElement(d, look.altView, 1.0f);
  for (const DrawnTerrain& d : look.pieces) sceneTerrainElement(d, look.altView, 1.0f);
  endBlocks();
  glDisable(GL_TEXTURE_2D);
}

static KeptPicture<TerrainLook> keptTerrain{CachedTerrain};

// Background, cells and pieces change far less often than the animated
// objects above them: at zoom 1, where they are hundreds of small quads whose
// set-up costs more than one textured pass over the level, their pixels
// inside the level are kept and put back while their look is unchanged.
// Magnified, the blocks are few and the plain background is cheaper filled
// than copied. The opaque background makes the kept pixels independent of
// what lay below.
static void sceneTerrain() {
  TerrainLook look;
  const bool inside = terrainLook(&look);
  WindowRect rect{};
  const bool keep = editor.zoom == 1 && builtTextureCount() > 0 && inside &&
                    rectInWindow(0, 0, look.width * LevelPixelsPerBlock, look.height * LevelPixelsPerRow, &rect);
  drawKept(&keptTerrain, look, keep ? &rect : nullptr, drawTerrain);
}

void drawLevel() {
  glPushMatrix();
  levelTransform();
  sceneTerrain();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  beginBlocks(RouteBatch, levelBlockSet(editor.altView));
  int dx = 0, dy = 0;
  forEachElement(currentLevel, [&](const LevelObject& e) {
    if (!isTerrainKind(e.kind) && storedWholeWhereDrawn(e, &dx, &dy)) sceneObjectElement(e, dx, dy, 1.0f);
  });
  endBlocks();
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

void drawLeftOut() {
  glPushMatrix();
  levelTransform();
  glEnable(GL_TEXTURE_2D);
  beginBlocks(RouteBatch, levelBlockSet(editor.altView));
  int dx = 0, dy = 0;
  for (const bool terrain : {true, false}) {  // in the level's order: terrain below objects
    forEachElement(currentLevel, [&](const LevelObject& e) {
      if (isTerrainKind(e.kind) != terrain || storedWholeWhereDrawn(e, &dx, &dy)) return;
      if (terrain) sceneTerrainElement(drawnTerrain(e, dx, dy), editor.altView, LeftOutBrightness);
      else sceneObjectElement(e, dx, dy, LeftOutBrightness);
    });
  }
  endBlocks();
  glDisable(GL_TEXTURE_2D);
  glPopMatrix();
}

void drawNewObject() {
  if (!isPlacingState(editor.editState)) return;
  glPushMatrix();
  levelTransform();
  glEnable(GL_TEXTURE_2D);
  glColor3f(1.0f, 1.0f, 1.0f);
  beginBlocks(RouteBatch, levelBlockSet(editor.altView));
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

// True when frame `frame` of the pattern lies wholly inside its cells.
static bool sceneFrameReadable(const BlockPattern& p, uint32_t frame) {
  const uint64_t area = static_cast<uint64_t>(p.width) * p.height;
  if (area == 0 || area > p.cellCount) return false;
  return (static_cast<uint64_t>(frame) + 1) * p.cellCount <= p.cells.size();
}

void drawPatternFrame(const BlockPattern& pattern, uint32_t frame, int column, int row) {
  if (!sceneFrameReadable(pattern, frame)) return;
  const int32_t* cells = pattern.cells.data() + static_cast<size_t>(frame) * pattern.cellCount;
  const int w = static_cast<int>(pattern.width);
  const int h = static_cast<int>(pattern.height);
  for (int i = 0; i < h; ++i) {
    for (int j = 0; j < w; ++j) {
      const int32_t cell = cells[i * w + j];
      if (pattern.isPiece == 0 || cell != 0) routeBlock(static_cast<uint32_t>(cell), column + j, row + i);
    }
  }
}

void drawPatternTiled(const BlockPattern& pattern, int countX, int countY, int column, int row) {
  const int w = static_cast<int>(pattern.width);
  const int h = static_cast<int>(pattern.height);
  for (int i = 0; i <= countY; ++i)
    for (int j = 0; j <= countX; ++j) drawPatternFrame(pattern, 0, column + j * w, row + i * h);
}

// The animation of part p, or none when it is missing or has no frames.
static const BlockPattern* sceneObjectPart(const ObjectDef& def, uint32_t p) {
  if (p >= def.partCount || p >= def.partAnim.size()) return nullptr;
  const BlockPattern* anim = def.partAnim[p];
  return anim && anim->frameCount > 0 ? anim : nullptr;
}

static uint32_t sceneAnimFrame(const BlockPattern& anim, const ObjectMotion& motion, uint32_t offset) {
  return (static_cast<uint32_t>(motion.animFrame) + offset) % anim.frameCount;
}

ObjectMotion objectMotionNow() {
  return {editor.animFrame, editor.altView, currentLevel.style == OutlinedAnimatedStyle};
}

void drawObject(const ObjectDef& def, int countX, int countY, int column, int row, float brightness) {
  drawObjectMoved(def, countX, countY, column, row, objectMotionNow(), brightness);
}

void drawObjectMoved(const ObjectDef& def, int countX, int countY, int column, int row, const ObjectMotion& motion,
                     float brightness) {
  if (motion.altView == 1) routeTint(sceneScaled(altObjectTint(def.kind), brightness));
  const BlockPattern* first = sceneObjectPart(def, 0);
  switch (def.kind) {
    case ObjectKindFlaggedTiles:
    case ObjectKindTiles:
      if (!first) return;
      for (int i = 0; i <= countY; ++i)
        for (int j = 0; j <= countX; ++j)
          drawPatternFrame(*first, sceneAnimFrame(*first, motion, static_cast<uint32_t>(j)), column + j * def.width,
                           row + i * def.height);
      return;
    case ObjectKindStill:
    case ObjectKindStillByOverride:
      if (first) drawPatternFrame(*first, 0, column, row);
      return;
    case ObjectKindOutlined:
      if (first) {
        drawPatternFrame(*first, motion.outlinedAnimates ? sceneAnimFrame(*first, motion, 0) : 0, column, row);
      }
      return;
    case ObjectKindObject:
      if (first) drawPatternFrame(*first, sceneAnimFrame(*first, motion, 0), column, row);
      return;
    case ObjectKindComposite:
      routePushShift(-def.shiftX, -def.shiftY);
      for (uint32_t p = 0; p < def.partCount && p < def.partDx.size() && p < def.partDy.size(); ++p) {
        const BlockPattern* anim = sceneObjectPart(def, p);
        if (anim) drawPatternFrame(*anim, sceneAnimFrame(*anim, motion, 0), column + def.partDx[p], row + def.partDy[p]);
      }
      routePopShift();
      return;
    default:
      return;
  }
}
