// Editing overlays, drawn in client pixels (identity model-view, y down) over
// the level picture. Each overlay turns on what it needs and turns it off
// again: blending, depth test, line stipple and colour mask are off, off, off
// and all on between overlays.
//
// Contents: drawStartView, drawMargins, drawResizeGuides, drawHighlights,
// drawBand, drawAltMarks.
#include "render/overlays.h"

#include <GL/gl.h>

#include "render/fill.h"
#include "state/camera.h"
#include "state/editor_state.h"

// A rectangle in client pixels. For the level's frame, left and right are the
// columns of the left and right edge lines, top and bottom the rows of the top
// and bottom edge lines, pan included.
struct OverlayFrame {
  int left, right, top, bottom;
};

static OverlayFrame overlayLevelFrame() {
  const int z = editor.zoom;
  OverlayFrame f;
  f.left = editor.originX + editor.dragPixelsX * z - 1;
  f.right = f.left + currentLevel.width * LevelPixelsPerBlock * z + 1;
  f.top = editor.originY + editor.dragPixelsY * z;
  f.bottom = f.top + currentLevel.height * LevelPixelsPerRow * z + 1;
  return f;
}

// Vertices of one full-window line (inside a GL_LINES batch).
static void overlayVerticalLine(int x, int ch) {
  glVertex2i(x, 0);
  glVertex2i(x, ch);
}
static void overlayHorizontalLine(int y, int cw) {
  glVertex2i(0, y);
  glVertex2i(cw, y);
}

static void overlayLineLoop(int x0, int y0, int x1, int y1) {
  glBegin(GL_LINE_LOOP);
  glVertex2i(x0, y0);
  glVertex2i(x1, y0);
  glVertex2i(x1, y1);
  glVertex2i(x0, y1);
  glEnd();
}

void drawStartView() {
  if (editor.editState != StartViewReady && editor.editState != MovingStartView) return;
  if (editor.editState == StartViewReady) {
    editor.dragBlocksX = 0;
    editor.dragBlocksY = 0;
  }
  const int column = currentLevel.startX + editor.dragBlocksX, row = currentLevel.startY + editor.dragBlocksY;
  const int x0 = columnToClientX(column), x1 = columnToClientX(column + LevelStartViewBlocks);
  const int y0 = rowToClientY(row), y1 = rowToClientY(row + LevelStartViewBlocks);

  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  // Outer corners opaque green, inner corners 4 pixels in transparent: a band
  // that fades inward and keeps its width at every zoom.
  const int outer[5][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
  const int inner[5][2] = {{x0 + 4, y0 + 4}, {x1 - 4, y0 + 4}, {x1 - 4, y1 - 4}, {x0 + 4, y1 - 4}, {x0 + 4, y0 + 4}};
  glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i < 5; ++i) {
    glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    glVertex2i(outer[i][0], outer[i][1]);
    glColor4f(0.0f, 1.0f, 0.0f, 0.0f);
    glVertex2i(inner[i][0], inner[i][1]);
  }
  glEnd();
  glDisable(GL_BLEND);
}

void drawMargins() {
  const int cw = clientWidth(), ch = clientHeight();
  const OverlayFrame f = overlayLevelFrame();
  const bool active = editor.editState == Idle || editor.editState == ResizingLevel;

  glColor3f(0.75f, 0.75f, 0.75f);
  fillRect(0, 0, f.left + 1, ch);
  fillRect(f.left, 0, cw, f.top);
  fillRect(f.right, f.top, cw, ch);
  fillRect(f.left, f.bottom - 1, f.right, ch);

  glLineStipple(1, 0x0F0F);
  glEnable(GL_LINE_STIPPLE);
  glBegin(GL_LINES);
  const auto edgeColour = [&](int bit) {
    if (active && (editor.edgeMask & bit)) glColor3f(1.0f, 1.0f, 1.0f);
    else glColor3f(0.5f, 0.5f, 0.5f);
  };
  edgeColour(EdgeLeft);
  overlayVerticalLine(f.left, ch);
  edgeColour(EdgeRight);
  overlayVerticalLine(f.right, ch);
  edgeColour(EdgeTop);
  overlayHorizontalLine(f.top, cw);
  edgeColour(EdgeBottom);
  overlayHorizontalLine(f.bottom, cw);
  glEnd();
  glDisable(GL_LINE_STIPPLE);
}

void drawResizeGuides() {
  if (editor.editState != ResizingLevel) return;
  const int cw = clientWidth(), ch = clientHeight();
  const int z = editor.zoom, mask = editor.edgeMask;
  // The pending change counts outward from the dragged edge.
  const int dx = (mask & EdgeLeft) ? -editor.resizeDx : editor.resizeDx;
  const int dy = (mask & EdgeTop) ? -editor.resizeDy : editor.resizeDy;
  OverlayFrame f = overlayLevelFrame();
  f.left += dx * LevelPixelsPerBlock * z;
  f.right += dx * LevelPixelsPerBlock * z;
  f.top += dy * LevelPixelsPerRow * z;
  f.bottom += dy * LevelPixelsPerRow * z;

  glLineStipple(1, 0xAAAA);
  glEnable(GL_LINE_STIPPLE);
  glBegin(GL_LINES);
  const auto guideColour = [&](int edge) {
    if (mask & (edge << EdgeRefusedShift)) glColor3f(1.0f, 0.0f, 0.0f);
    else glColor3f(1.0f, 1.0f, 1.0f);
  };
  if ((mask & EdgeLeft) && editor.resizeDx != 0) {
    guideColour(EdgeLeft);
    overlayVerticalLine(f.left, ch);
  }
  if ((mask & EdgeRight) && editor.resizeDx != 0) {
    guideColour(EdgeRight);
    overlayVerticalLine(f.right, ch);
  }
  if ((mask & EdgeTop) && editor.resizeDy != 0) {
    guideColour(EdgeTop);
    overlayHorizontalLine(f.top, cw);
  }
  if ((mask & EdgeBottom) && editor.resizeDy != 0) {
    guideColour(EdgeBottom);
    overlayHorizontalLine(f.bottom, cw);
  }
  glEnd();
  glDisable(GL_LINE_STIPPLE);
}

// An element's client rectangle shifted by (dx, dy) blocks, pan included.
static OverlayFrame overlayElementRect(const LevelObject& o, int dx, int dy) {
  const int z = editor.zoom;
  OverlayFrame r;
  r.left = columnToClientX(o.x + dx) + editor.dragPixelsX * z;
  r.top = rowToClientY(o.y + dy) + editor.dragPixelsY * z;
  r.right = r.left + static_cast<int>(o.width) * LevelPixelsPerBlock * z;
  r.bottom = r.top + static_cast<int>(o.height) * LevelPixelsPerRow * z;
  return r;
}

static void overlayFillElement(const LevelObject& o, int dx, int dy) {
  const OverlayFrame r = overlayElementRect(o, dx, dy);
  fillRect(r.left, r.top, r.right, r.bottom);
}

void drawHighlights() {
  if (editor.altView == 1) return;
  const int state = editor.editState;
  if (state == ResizingLevel || state == StartViewReady || state == MovingStartView) editor.hoverObject = nullptr;

  int dx = 0, dy = 0;
  if (state == MovingSelection) {
    dx = editor.dragBlocksX;
    dy = editor.dragBlocksY;
  } else if (state == SizingNewObject) {
    if (editor.spanX < 0) dx = editor.spanX * editor.newItemWidth;
    if (editor.spanY < 0) dy = editor.spanY * editor.newItemHeight;
  }

  const bool placing = isPlacingState(state);
  const LevelObject* single = placing ? &editor.newObject : editor.hoverObject;
  const bool tintSingle = single && single->state == NotSelected;
  // Shown as they will be once the band is released: an unmarked one is leaving.
  const auto tinted = [](const LevelObject& o) { return o.state != NotSelected && o.state != BandUnmarked; };
  bool tintSelection = false;
  if (!placing) forEachElement(currentLevel, [&](const LevelObject& o) { tintSelection |= tinted(o); });
  if (!tintSingle && !tintSelection) return;  // spare the depth clear, a pass over the whole window

  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthFunc(GL_NOTEQUAL);
  glEnable(GL_BLEND);
  glEnable(GL_DEPTH_TEST);
  // Every quad lies at one depth unlike the cleared one: the first quad over
  // a pixel writes it and every later one fails, so overlaps tint once.
  glClear(GL_DEPTH_BUFFER_BIT);
  glColor4f(1.0f, 1.0f, 1.0f, placing ? 0.25f : 0.5f);
  if (tintSingle) overlayFillElement(*single, dx, dy);
  if (tintSelection) {
    forEachElement(currentLevel, [&](const LevelObject& o) {
      if (tinted(o)) overlayFillElement(o, dx, dy);
    });
  }
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

// Fills the level's rectangle into depth only, then draws the band's loop in
// the given grey where loopFunc lets it pass against that depth.
static void overlayBandPass(GLenum fillFunc, GLenum loopFunc, float grey, const OverlayFrame& level,
                            const OverlayFrame& band) {
  glClear(GL_DEPTH_BUFFER_BIT);
  glDepthFunc(fillFunc);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  fillRect(level.left, level.top, level.right, level.bottom);
  glDepthFunc(loopFunc);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glColor3f(grey, grey, grey);
  overlayLineLoop(band.left, band.top, band.right, band.bottom);
}

void drawBand() {
  if (editor.editState != BandSelecting) return;
  OverlayFrame level, band;
  level.left = editor.originX;
  level.top = editor.originY;
  level.right = columnToClientX(currentLevel.width);
  level.bottom = rowToClientY(currentLevel.height);
  band.left = editor.anchorX;
  band.top = editor.anchorY;
  band.right = band.left + editor.dragDx;
  band.bottom = band.top + editor.dragDy;

  glEnable(GL_DEPTH_TEST);
  glLineStipple(1, 0xAAAA);
  glEnable(GL_LINE_STIPPLE);

  // Depth marks the level's area; the grey loop is drawn only outside it,
  // then the white loop only inside it.
  overlayBandPass(GL_NOTEQUAL, GL_NOTEQUAL, 0.5f, level, band);
  overlayBandPass(GL_ALWAYS, GL_EQUAL, 1.0f, level, band);

  glDisable(GL_LINE_STIPPLE);
  glDisable(GL_DEPTH_TEST);
}

void drawAltMarks() {
  if (editor.altView != 1) return;
  glColor3f(1.0f, 0.0f, 0.0f);
  glLineStipple(1, 0xF0F0);
  glEnable(GL_LINE_STIPPLE);
  forEachElement(currentLevel, [](const LevelObject& o) {
    if (o.kind != ObjectKindOutlined) return;
    const OverlayFrame r = overlayElementRect(o, 0, 0);
    overlayLineLoop(r.left, r.top + 1, r.right - 1, r.bottom);
  });
  glDisable(GL_LINE_STIPPLE);
}
