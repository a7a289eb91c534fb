// The batched scene against the block-by-block reference: whole frames of
// every demo level, byte for byte.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "state/editor_state.h"
#include "app/level_load.h"
#include "platform/window.h"
#include "edit/panel_input.h"
#include "render/panel_draw.h"
#include "render/scene.h"
#include "render/textures.h"
#include "headless/headless_gl.h"
#include "support/skips.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/reference_scene.h"

namespace {

// The opening window's width, so the item bar shows shrunk thumbnails, and
// less height to keep the run short: the densest levels overhang it at every
// zoom, so blocks are cut at all four edges.
constexpr int FrameWidth = 640;
constexpr int FrameHeight = 360;

// What the level shows besides its elements at rest.
enum Editing { AtRest, MovingSome, PlacingItem };

// The batched and the reference drawing each get a context of their own,
// sharing the textures, and draw the same frames in the same order: the
// software rasteriser carries the stipple phase of dashed lines from one
// frame into the next, so the overlays match only between contexts with
// the same history.
struct DemoWorld {
  HeadlessGl batchedGl{FrameWidth, FrameHeight};
  HeadlessGl referenceGl{FrameWidth, FrameHeight, &batchedGl};
  AppWindow window{};
  DemoWorld() {
    batchedGl.makeCurrent();
    resetEditorState();
    window.width = FrameWidth;
    window.height = FrameHeight;
    editor.window = &window;
    if (ok()) editor.quadList = buildQuadList();
  }
  ~DemoWorld() {
    batchedGl.makeCurrent();
    if (ok()) {
      freeCurrentLevel();
      glDeleteLists(editor.quadList, 1);
    }
    clearLevelObjects(&currentLevel);
    resetEditorState();
  }
  bool ok() const { return batchedGl.ok() && referenceGl.ok(); }
  // Draws one frame in gl's context and reads it into pixels, whose room is
  // kept from frame to frame (a fresh megabyte per frame slows the sanitizer).
  static void frame(const HeadlessGl& gl, void (*draw)(), std::vector<uint8_t>* pixels) {
    gl.makeCurrent();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.setPixelProjection();
    draw();
    pixels->resize(static_cast<size_t>(FrameWidth) * FrameHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, FrameWidth, FrameHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels->data());
  }
};

constexpr int DragX = 3, DragY = -2;  // blocks, rows

// Whether a moved element is one to select: every third cell and object.
bool movedOne(const LevelObject& e, uint32_t i) { return i % 3 == 0 && e.kind != ObjectKindTerrainPiece; }

// Some elements selected and dragged, or a bar item being placed half off
// the level's left edge; elements left at rest otherwise.
void setEditing(Editing editing, int barKind) {
  uint32_t i = 0;
  for (LevelObject* e = currentLevel.firstObject; e && i < currentLevel.objectCount; e = e->next, ++i)
    e->state = editing == MovingSome && movedOne(*e, i) ? Selected : NotSelected;
  editor.editState = editing == MovingSome ? MovingSelection : editing == PlacingItem ? Placing : Idle;
  editor.dragBlocksX = editing == MovingSome ? DragX : 0;
  editor.dragBlocksY = editing == MovingSome ? DragY : 0;
  LevelObject& item = editor.newObject;
  item = LevelObject{};
  const bool object = barKind == BarObjects && !currentStyle.objectDefs.empty();
  item.kind = object ? static_cast<uint32_t>(currentStyle.objectDefs.back().kind) : ObjectKindTerrainPiece;
  item.value = object ? static_cast<uint32_t>(currentStyle.objectDefs.size() - 1) : 0;
  item.x = 1;
  item.y = 2;
  item.paramA = 2;
  item.paramB = 1;
  editor.spanX = -1;
  editor.newItemWidth = 2;
  editor.chosenItem = editing == PlacingItem ? 0 : -1;  // the bar shows the chosen cell
}

// Where two frames first differ, as "x,y got r,g,b,a want r,g,b,a" (y from the top).
std::string firstDifference(const std::vector<uint8_t>& got, const std::vector<uint8_t>& want) {
  size_t at = 0;
  while (got[at] == want[at]) ++at;
  at -= at % 4;
  const size_t pixel = at / 4;
  char text[96];
  std::snprintf(text, sizeof text, "%zu,%zu got %d,%d,%d,%d want %d,%d,%d,%d", pixel % FrameWidth,
                FrameHeight - 1 - pixel / FrameWidth, got[at], got[at + 1], got[at + 2], got[at + 3], want[at],
                want[at + 1], want[at + 2], want[at + 3]);
  return text;
}

struct ViewCase {
  int zoom;
  int alt;
  int barKind;
};
constexpr ViewCase Views[] = {{1, 0, BarPieces}, {1, 1, BarObjects}, {2, 0, BarObjects}, {2, 1, BarPieces},
                              {4, 0, BarPieces}, {4, 1, BarObjects}, {8, 0, BarObjects}, {8, 1, BarPieces}};

// The frames drawn in each view, in order. A frame drawn alike twice in a
// row must stay alike after a second change: the flags of every cell and
// piece (which the alternate view tints), the hovered bar item, and a pan of
// one level pixel while placing. anim picks the first, second or last frame
// of the style's animation period.
struct Step {
  Editing editing;
  int anim;
  bool flipTerrainFlags;
  int hoverItem;
  int panPixels;
};
constexpr int NoHover = -1;
constexpr Step Steps[] = {
    {AtRest, 1, false, NoHover, 0},       // the view changed
    {AtRest, 1, false, NoHover, 0},       // the same frame again
    {AtRest, 0, false, NoHover, 0},       // only the animation moved
    {AtRest, 0, true, 1, 0},              // flags and hover changed, nothing else
    {PlacingItem, 2, false, NoHover, 1},  // placing, one level pixel further right
    {MovingSome, 2, false, NoHover, 0},
};

// Switches the alternate view's tint of every cell and piece between the
// plain class (flags 0) and the steel-like one.
void flipTerrainFlags() {
  constexpr uint32_t SteelLikeFlag = 0x4000;
  for (LevelObject* e = currentLevel.firstObject; e; e = e->next)
    if (isTerrainKind(e->kind)) e->flags ^= SteelLikeFlag;
}
}  // namespace

TEST(BatchedScene, EveryDemoFrameEqualsBlockByBlockDrawing) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoWorld world;
  SKIP_WITHOUT_GL(world.batchedGl);
  SKIP_WITHOUT_GL(world.referenceGl);
  InDir demo(testpaths::demoDir());
  ASSERT_TRUE(demo.entered);
  int compared = 0, failed = 0;
  std::vector<uint8_t> batched, reference;
  for (int level = 0; level < LevelCount && failed < 10; ++level) {
    editor.levelNumber = level;
    world.batchedGl.makeCurrent();
    ASSERT_EQ(loadCurrentLevel(), 0) << "level " << level;
    world.window.width = FrameWidth;  // the load's window apply has no system window here
    world.window.height = FrameHeight;
    const int animFrames[3] = {0, 1, std::max(editor.animPeriod - 1, 0)};
    for (const ViewCase& view : Views) {
      for (const Step& step : Steps) {
        setBarKind(view.barKind);
        editor.zoom = view.zoom;
        editor.altView = view.alt;
        editor.animFrame = animFrames[step.anim];
        setEditing(step.editing, view.barKind);
        if (step.flipTerrainFlags) flipTerrainFlags();
        editor.hoverItem = step.hoverItem;
        editor.cameraX += step.panPixels;
        DemoWorld::frame(world.batchedGl, drawScene, &batched);
        DemoWorld::frame(world.referenceGl, drawSceneReference, &reference);
        ++compared;
        if (batched == reference) continue;
        ++failed;
        ADD_FAILURE() << "level " << level << " zoom " << view.zoom << " alt " << view.alt << " animFrame "
                      << editor.animFrame << " bar " << view.barKind << " editing " << step.editing << ": "
                      << firstDifference(batched, reference);
      }
    }
  }
  std::printf("frames compared: %d\n", compared);
}
