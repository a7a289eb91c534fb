// Drawing the panels: the item bar with its thumbnails, and the scroll bar
// with bevelled buttons, arrow glyphs, thumb and track. Immediate-mode
// OpenGL 1.x in client pixels; texturing is enabled only around thumbnails.
//
// Contents: fills and greys - drawBevel - drawArrow - panelDraw -
// drawItemCell - drawItemBar.

#include <GL/gl.h>
#include <algorithm>

#include "render/panel_draw.h"

#include "render/fill.h"
#include "state/camera.h"
#include "state/editor_state.h"
#include "state/panel_metrics.h"
#include "render/block_route.h"
#include "render/region_cache.h"
#include "render/textures.h"
#include "render/scene.h"

static void grey(float level) { glColor3f(level, level, level); }

static void line(int x0, int y0, int x1, int y1) {
  glVertex2i(x0, y0);
  glVertex2i(x1, y1);
}

// drawBevel -------------------------------------------------------------------

void drawBevel(int x, int y, int w, int h, int style) {
  const int x1 = x + w;
  const int y1 = y + h;
  if (style == BevelRaised || style == BevelSunken) fillRect(x, y, x1, y1);
  const bool sunken = style == BevelSunken || style == BevelSunkenOutline;
  glBegin(GL_LINES);
  grey(sunken ? 0.375f : 1.0f);
  line(x, y + 1, x1, y + 1);
  line(x, y + 1, x, y1);
  grey(sunken ? 0.5f : 0.875f);
  line(x + 1, y + 2, x1 - 1, y + 2);
  line(x + 1, y + 2, x + 1, y1 - 1);
  grey(sunken ? 0.875f : 0.5f);
  line(x + 1, y1 - 1, x1 - 2, y1 - 1);
  line(x1 - 2, y + 2, x1 - 2, y1 - 1);
  grey(sunken ? 1.0f : 0.375f);
  line(x, y1, x1 - 1, y1);
  line(x1 - 1, y + 1, x1 - 1, y1);
  glEnd();
}

// drawArrow -------------------------------------------------------------------

// Four segments per direction, within the 16 by 16 button: x0, y0, x1, y1.
static const int arrowSegments[4][4][4] = {
    {{6, 8, 7, 8}, {7, 6, 7, 9}, {8, 5, 8, 10}, {9, 4, 9, 11}},    // left
    {{7, 6, 7, 7}, {6, 8, 9, 8}, {5, 9, 10, 9}, {4, 10, 11, 10}},  // up
    {{9, 8, 10, 8}, {8, 6, 8, 9}, {7, 5, 7, 10}, {6, 4, 6, 11}},   // right
    {{7, 9, 7, 10}, {6, 9, 9, 9}, {5, 8, 10, 8}, {4, 7, 11, 7}},   // down
};

void drawArrow(int x, int y, int direction) {
  if (direction < ArrowLeft || direction > ArrowDown) return;
  glPushMatrix();
  glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
  glBegin(GL_LINES);
  for (const auto& s : arrowSegments[direction]) line(s[0], s[1], s[2], s[3]);
  glEnd();
  glPopMatrix();
}

// panelDraw (the scroll bar) ------------------------------------------------------

static void drawScrollButton(const Panel* panel, int x, int y, unsigned part, int glyph,
                             bool scrollable) {
  const int pressed = panel->activePart == part && panel->pointerOnPart == 1 && scrollable ? 1 : 0;
  grey(0.75f);
  drawBevel(x, y, ScrollButtonSize, ScrollButtonSize, pressed ? BevelSunken : BevelRaised);
  grey(scrollable ? 0.0f : 0.5f);
  drawArrow(x + pressed, y + pressed, glyph);
}

void panelDraw(Panel* panel) {
  if (panel->kind != PanelScrollBar) return;
  const int off = thumbOffset(panel);
  panelRelayout(panel);
  const bool scrollable = panel->thumbLength < panel->trackLength;
  const bool vertical = panel->vertical != 0;
  const int x = panel->x, y = panel->y, right = panel->right, bottom = panel->bottom;

  const int b = ScrollButtonSize;
  drawScrollButton(panel, x, y, BackArrow, vertical ? ArrowUp : ArrowLeft, scrollable);
  if (vertical) drawScrollButton(panel, x, bottom + 1 - b, ForwardArrow, ArrowDown, scrollable);
  else drawScrollButton(panel, right + 1 - b, y, ForwardArrow, ArrowRight, scrollable);

  if (!scrollable) {
    grey(0.875f);
    if (vertical) fillRect(x, y + b, x + b, y + panel->height - b);
    else fillRect(x + b, y, x + panel->width - b, y + b);
    return;
  }
  const int thumbEnd = off + panel->thumbLength + b;  // first track pixel after the thumb
  grey(0.75f);
  if (vertical) drawBevel(x, y + off + b, b, panel->thumbLength, BevelRaised);
  else drawBevel(x + off + b, y, panel->thumbLength, b, BevelRaised);

  grey(panel->activePart == BackPage && panel->pointerOnPart == 1 ? 0.5f : 0.875f);
  if (vertical) fillRect(x, y + b, right + 1, y + b + off);
  else fillRect(x + b, y, x + b + off, bottom + 1);

  grey(panel->activePart == ForwardPage && panel->pointerOnPart == 1 ? 0.375f : 0.875f);
  if (vertical) fillRect(x, y + thumbEnd, right + 1, bottom + 1 - b);
  else fillRect(x + thumbEnd, y, right + 1 - b, bottom + 1);
}

// drawItemCell --------------------------------------------------------------------

// What every cell of the bar shows besides its item.
struct CellLook {
  int barKind, hoverItem, chosenItem;
  bool placing;
  ObjectMotion motion;    // the objects' animation and tint
  uint32_t textureBuild;  // the style whose pieces and objects are shown
  bool operator==(const CellLook&) const = default;
};

static CellLook cellLook() {
  CellLook look{editor.barKind, editor.hoverItem, editor.chosenItem, isPlacingState(editor.editState),
                objectMotionNow(), blockTextureBuild()};
  if (editor.barKind != BarObjects) look.motion.animFrame = 0;  // pieces never animate
  return look;
}

static void drawCell(const CellLook& look, int size, int index) {
  if (index < 0) return;
  const ObjectDef* def = nullptr;
  const BlockPattern* piece = nullptr;
  int w, h;
  bool back = true;
  if (look.barKind == BarObjects) {
    if (static_cast<size_t>(index) >= std::min<size_t>(currentStyle.objectDefCount,
                                                       currentStyle.objectDefs.size()))
      return;
    def = &currentStyle.objectDefs[index];
    w = def->width * LevelPixelsPerBlock;
    h = def->height * LevelPixelsPerRow;
    back = def->kind != ObjectKindComposite;  // shows its parts without a background
  } else {
    if (static_cast<size_t>(index) >= std::min<size_t>(currentStyle.pieceCount, currentStyle.pieces.size()))
      return;
    piece = &currentStyle.pieces[index];
    w = static_cast<int>(piece->width) * LevelPixelsPerBlock;
    h = static_cast<int>(piece->height) * LevelPixelsPerRow;
  }
  // Thumbnails shrink to fit the cell and never grow.
  const int extent = std::max(w, h);
  const float scale = extent > 0 ? std::min(1.0f, static_cast<float>(size) / static_cast<float>(extent)) : 1.0f;
  const bool chosen = look.placing && index == look.chosenItem;

  if (chosen) glColor3f(0.5f, 0.5f, 1.0f);
  else if (index == look.hoverItem) glColor3f(0.75f, 0.75f, 1.0f);
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
  // Unshrunk, blocks land on whole pixels and one draw call does them all.
  beginBlocks(scale == 1.0f ? RouteBatch : RouteStack, ColourSet);
  if (def) drawObjectMoved(*def, 0, 0, 0, 0, look.motion);
  else drawPatternTiled(*piece, 0, 0, 0, 0);
  endBlocks();
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

// drawItemBar -----------------------------------------------------------------

void drawItemCell(int size, int index) { drawCell(cellLook(), size, index); }

// Everything the bar shows: the only input of its drawing, and so the look
// its kept pixels are reused for.
struct BarLook {
  ViewState view;
  int clientWidth, clientHeight, barHeight;
  int itemSize, pitch, offset, stripWidth;  // the strip's cells and scroll offset, client pixels
  CellLook cells;
  bool operator==(const BarLook&) const = default;
};

static BarLook barLook() {
  return {currentViewState(), clientWidth(), clientHeight(), barHeight(), editor.itemSize, itemPitch(),
          stripOffset(), visibleStripWidth(), cellLook()};
}

// The bar from its look alone.
static void drawBar(const BarLook& look) {
  glPushMatrix();
  glTranslatef(0.0f, static_cast<float>(look.clientHeight - look.barHeight), 0.0f);
  grey(1.0f);
  fillRect(0, 0, look.clientWidth, look.barHeight);

  const int first = look.offset / look.pitch;
  const int sub = look.offset % look.pitch;
  const int n = look.stripWidth / look.pitch + 1;
  glPushMatrix();
  glTranslatef(static_cast<float>(BarCellLeft - sub), static_cast<float>(BarCellTop), 0.0f);
  for (int index = first; index <= first + n; ++index) {
    drawCell(look.cells, look.itemSize, index);
    glTranslatef(static_cast<float>(look.pitch), 0.0f, 0.0f);
  }
  glPopMatrix();

  drawBevel(0, 0, look.clientWidth, look.barHeight, BevelSunkenOutline);
  glPopMatrix();
}

static KeptPicture<BarLook> keptBar{CachedItemBar};

// The bar costs a hundred draw calls and changes seldom (hover, scroll,
// kind, animation of objects): it is kept as a copy of its pixels, which
// its opaque background makes independent of what lay below.
void drawItemBar() {
  if (!editor.window) return;
  const BarLook look = barLook();
  if (look.pitch <= 0) return;
  WindowRect rect{};
  const bool keep = builtTextureCount() > 0 &&
                    rectInWindow(0, look.clientHeight - look.barHeight, look.clientWidth, look.clientHeight, &rect);
  drawKept(&keptBar, look, keep ? &rect : nullptr, drawBar);
}
