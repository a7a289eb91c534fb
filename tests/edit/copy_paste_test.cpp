// Copy, cut and paste through the keys and the clipboard (SDL's dummy video
// driver keeps a clipboard without a display), the text's checks, and the
// keyboard nudge against a one-block drag.
#include "edit/copy_paste.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/level_load.h"
#include "app/main_loop.h"
#include "data/element_copy.h"
#include "data/level_writer.h"
#include "edit/edit_steps.h"
#include "edit/mouse.h"
#include "edit/operations.h"
#include "edit/panel_input.h"
#include "platform/events.h"
#include "platform/virtual_keys.h"
#include "state/camera.h"
#include "state/level_history.h"
#include "support/demo_copy.h"
#include "support/edit_fixture.h"

namespace {

// What S would write, then every element as the editor holds it, in list order.
std::vector<int64_t> levelNow() {
  std::vector<uint8_t> image(LevelFileSize);
  std::vector<int64_t> v = {buildLevelImage(currentLevel, image.data())};
  v.insert(v.end(), image.begin(), image.end());
  forEachElement(currentLevel, [&](const LevelObject& o) {
    v.insert(v.end(), {o.kind, o.value, o.x, o.y, o.paramA, o.paramB, o.flags, o.width, o.height, o.shiftX,
                       o.shiftY, reinterpret_cast<intptr_t>(o.cells), o.state});
  });
  return v;
}

void ctrlKey(int key) {
  editor.ctrlDown = 1;
  handleEvent(EventKeyDown, key, 0);
  editor.ctrlDown = 0;
}

int pick(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

void selectSome(std::mt19937& rng) {
  const int oneIn = pick(rng, 3, 15);
  forEachElement(currentLevel, [&](LevelObject& o) { o.state = pick(rng, 1, oneIn) == 1 ? Selected : NotSelected; });
  currentLevel.firstObject->state = Selected;
}

struct ClipboardWithoutDisplay {
  bool ok = setenv("SDL_VIDEODRIVER", "dummy", 1) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  ~ClipboardWithoutDisplay() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
};

// The paste by the operations that existed before it: the selected elements
// duplicated at the list's end, then the duplicates alone dragged there.
int dragX, dragY;
void duplicateAndDrag() {
  std::vector<LevelObject> originals;
  forEachElement(currentLevel, [&](LevelObject& o) {
    if (o.state == Selected) originals.push_back(o);
    o.state = NotSelected;
  });
  for (const LevelObject& o : originals) {
    LevelObject* d = addObject(o.kind, o.value, o.x, o.y, o.paramA, o.paramB, &currentLevel);
    d->flags = o.flags;
    d->shiftX = o.shiftX;
    d->shiftY = o.shiftY;
    d->width = o.width;
    d->height = o.height;
    d->cells = o.cells;
    d->state = Selected;
  }
  editor.dragBlocksX = dragX;
  editor.dragBlocksY = dragY;
  moveSelection();
}

}  // namespace

TEST(CopyPaste, PasteEqualsDraggingDuplicatesThereAndCutThenUndoGivesTheLevelBack) {
  DemoCopy demo;
  SKIP_WITHOUT_DEMO(demo);
  ClipboardWithoutDisplay clipboard;
  ASSERT_TRUE(clipboard.ok) << SDL_GetError();
  int pasted = 0;
  for (const int level : {0, 23, 58, 84, 119}) {
    editor.levelNumber = level;
    ASSERT_EQ(loadCurrentLevel(), 0);
    demo.window.width = 640;  // the load's window apply has no system window to read the size from
    demo.window.height = 480;
    layoutPanels();
    std::mt19937 rng(static_cast<unsigned>(level));
    for (int trial = 0; trial < 8; ++trial) {
      SCOPED_TRACE("level " + std::to_string(level) + " trial " + std::to_string(trial));
      selectSome(rng);
      const std::vector<int64_t> start = levelNow();
      ctrlKey(VkC);
      // The target block at the view centre; the pointer over it, or over the
      // item bar so that the view centre decides.
      const int bx = pick(rng, 0, currentLevel.width - 1), by = pick(rng, 0, currentLevel.height - 1);
      editor.cameraX = bx * LevelPixelsPerBlock + pick(rng, 0, LevelPixelsPerBlock - 1);
      editor.cameraY = by * LevelPixelsPerRow + pick(rng, 0, LevelPixelsPerRow - 1);
      editor.zoom = pick(rng, 1, 3);
      recentre();
      editor.mouseX = trial % 2 ? editor.viewCentreX : 10;
      editor.mouseY = trial % 2 ? editor.viewCentreY : clientHeight() - 10;
      const size_t steps = currentHistory.position;
      ctrlKey(VkV);
      if (currentHistory.position == steps) {  // refused at a limit
        EXPECT_EQ(levelNow(), start) << editor.titleNote;
        continue;
      }
      const std::vector<int64_t> afterPaste = levelNow();
      ctrlKey(VkZ);
      ASSERT_EQ(levelNow(), start);
      int left = INT32_MAX, top = INT32_MAX;
      forEachElement(currentLevel, [&](const LevelObject& o) {
        if (o.state == Selected) left = std::min(left, o.x), top = std::min(top, o.y);
      });
      dragX = bx - left;
      dragY = by - top;
      editAsOneStep(duplicateAndDrag);
      EXPECT_EQ(levelNow(), afterPaste);
      ctrlKey(VkZ);
      ++pasted;

      ctrlKey(VkX);
      ASSERT_NE(levelNow(), start);
      ctrlKey(VkZ);
      EXPECT_EQ(levelNow(), start);
    }
  }
  EXPECT_GT(pasted, 25);
}

TEST(CopyPaste, TextRoundTripsAndEveryRefusalChangesNothingAndSaysWhy) {
  EditFixture fx;
  fx.setUp(30, 30, 1);
  currentStyle.blockCount = 10;
  fx.addCell(2, 2, 4)->flags = 0x4000;
  fx.addPiece(1, 5, 5)->paramA = 1;
  fx.addObjectOfDef(3, 8, 9);
  selectAll();
  const std::string text = selectionCopyText();
  ElementCopy copy;
  ASSERT_EQ(parseElementCopy(text, &copy), 0) << text;
  EXPECT_EQ(copy.style, "QUORB");
  EXPECT_EQ(copy.elements, (std::vector<CopiedElement>{{1, 4, 0, 0, 0, 0, 0x4000}, {2, 1, 3, 3, 1, 0, 0},
                                                       {4, 3, 6, 7, 0, 0, 0}}));
  EXPECT_EQ(elementCopyText(copy), text);

  const auto with = [&](void (*change)(ElementCopy*)) {
    ElementCopy changed = copy;
    change(&changed);
    return elementCopyText(changed);
  };
  const std::string none = "not pasted: the clipboard holds no level elements";
  const std::string objects = "not pasted: a level holds at most 64 objects";
  const std::string elements = "not pasted: a level holds at most 2500 elements";
  const struct {
    std::string text, note;  // no note: pasted
  } rows[] = {
      {"hello, world", none},
      {"", none},
      {"driver-elements 2" + text.substr(text.find('\n')), none},
      {text.substr(0, text.size() - 9), none},
      {with([](ElementCopy* c) { c->elements[1].value = 3; }), none},  // the style has pieces 0..2
      {with([](ElementCopy* c) { c->elements[2].kind = 5; }), none},   // definition 3 is of kind 4
      {with([](ElementCopy* c) { c->elements[0].x = ElementCopyMaxOffset + 1; }), none},
      {with([](ElementCopy* c) { c->style = "VARNELO"; }), "not pasted: copied from style VARNELO"},
      {with([](ElementCopy* c) { c->elements.assign(LevelObjectRecords, c->elements[2]); }), objects},
      {with([](ElementCopy* c) { c->elements.assign(LevelObjectRecords - 1, c->elements[2]); }), ""},
      {with([](ElementCopy* c) { c->elements.assign(LevelPoolSize - 2, c->elements[0]); }), elements},
      {with([](ElementCopy* c) { c->elements.assign(LevelPoolSize - 3, c->elements[0]); }), ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 80));
    const std::vector<int64_t> before = levelNow();
    const size_t steps = currentHistory.position;
    pasteCopyText(row.text, 3, 4);
    EXPECT_EQ(editor.titleNote, row.note);
    EXPECT_EQ(currentHistory.position, steps + row.note.empty());
    if (row.note.empty()) historyUndo(&currentHistory);
    EXPECT_EQ(levelNow(), before);
  }
}

TEST(Nudge, EqualsAOneBlockDragInEveryDirection) {
  DemoCopy demo;
  SKIP_WITHOUT_DEMO(demo);
  const struct {
    int key, dx, dy;
  } directions[] = {{VkLeft, -1, 0}, {VkRight, 1, 0}, {VkUp, 0, -1}, {VkDown, 0, 1}};
  for (const int level : {2, 37, 84}) {  // zoom 3, 2 and 1
    editor.levelNumber = level;
    ASSERT_EQ(loadCurrentLevel(), 0);
    std::mt19937 rng(static_cast<unsigned>(level));
    editor.zoom = level % 3 + 1;
    recentre();
    for (const auto& d : directions) {
      SCOPED_TRACE("level " + std::to_string(level) + " key " + std::to_string(d.key));
      selectSome(rng);
      const std::vector<int64_t> start = levelNow();
      ctrlKey(d.key);
      const std::vector<int64_t> nudged = levelNow();
      ASSERT_NE(nudged, start);
      ctrlKey(VkZ);
      ASSERT_EQ(levelNow(), start);
      const int x = clientWidth() / 2, y = clientHeight() / 3;
      editor.editState = MovingSelection;
      editor.anchorX = x;
      editor.anchorY = y;
      editor.buttonHeld = 1;
      onMouseMove(x + d.dx * LevelPixelsPerBlock * editor.zoom, y + d.dy * LevelPixelsPerRow * editor.zoom);
      onButtonUp(ButtonLeft);
      EXPECT_EQ(levelNow(), nudged);
      ctrlKey(VkZ);
    }
  }
}
