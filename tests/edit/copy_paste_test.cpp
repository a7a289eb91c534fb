// Copy, cut, paste and nudge by key on demo levels (SDL's dummy video driver keeps a clipboard without a
// display); the clipboard text's round trip and refusals on a level built in code.
#include "edit/copy_paste.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <random>

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
#include "state/kept_levels.h"
#include "state/level_history.h"
#include "support/demo_copy.h"
#include "support/edit_fixture.h"

namespace {

// What S would write (or that it would refuse), then each element's selection, in list order.
std::vector<int> levelNow() {
  std::vector<uint8_t> image(LevelFileSize);
  std::vector<int> v = {buildLevelImage(currentLevel, image.data())};
  v.insert(v.end(), image.begin(), image.end());
  forEachElement(currentLevel, [&](const LevelObject& o) { v.push_back(int(o.state)); });
  return v;
}

void ctrlKey(int key) { editor.ctrlDown = 1, handleEvent(EventKeyDown, key, 0), editor.ctrlDown = 0; }

int pick(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

// The paste by older operations: the selection duplicated at the list's end, the duplicates alone dragged.
int dragX, dragY;
void duplicateAndDrag() {
  std::vector<LevelObject> originals;
  forEachElement(currentLevel, [&](LevelObject& o) {
    if (o.state == Selected) originals.push_back(o);
    o.state = NotSelected;
  });
  for (LevelObject o : originals) {
    LevelObject* d = addObject(o.kind, o.value, o.x, o.y, o.paramA, o.paramB, &currentLevel);
    o.prev = d->prev, o.next = d->next, *d = o;
  }
  editor.dragBlocksX = dragX, editor.dragBlocksY = dragY;
  moveSelection();
}

}  // namespace

TEST(CopyPaste, PasteEqualsDraggingDuplicatesCutUndoesExactlyAndANudgeEqualsAOneBlockDrag) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy demo;
  SKIP_WITHOUT_GL(demo.gl);
  ASSERT_EQ(setenv("SDL_VIDEODRIVER", "dummy", 1) | SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  const struct { int key, dx, dy; } nudges[] = {{VkLeft, -1, 0}, {VkRight, 1, 0}, {VkUp, 0, -1}, {VkDown, 0, 1}};
  int pasted = 0;
  for (const int level : {0, 23, 58, 84, 119}) {
    editor.levelNumber = level;
    ASSERT_EQ(loadCurrentLevel(), 0);
    demo.window.width = 640, demo.window.height = 480;  // the load read no size from a system window
    layoutPanels();
    std::mt19937 rng(static_cast<unsigned>(level));
    for (int trial = 0; trial < 8; ++trial) {
      SCOPED_TRACE("level " + std::to_string(level) + " trial " + std::to_string(trial));
      const int oneIn = pick(rng, 3, 15);
      forEachElement(currentLevel, [&](LevelObject& o) {
        o.state = pick(rng, 1, oneIn) == 1 || &o == currentLevel.firstObject ? Selected : NotSelected;
      });
      const std::vector<int> start = levelNow();
      ctrlKey(VkC);
      // The target under the view centre; the pointer on it, or over the item bar so that the view centre decides.
      const int bx = pick(rng, 0, currentLevel.width - 1), by = pick(rng, 0, currentLevel.height - 1);
      editor.cameraX = bx * LevelPixelsPerBlock + pick(rng, 0, LevelPixelsPerBlock - 1);
      editor.cameraY = by * LevelPixelsPerRow + pick(rng, 0, LevelPixelsPerRow - 1);
      editor.zoom = pick(rng, 1, 3);
      recentre();
      editor.mouseX = trial % 2 ? editor.viewCentreX : 10;
      editor.mouseY = trial % 2 ? editor.viewCentreY : clientHeight() - 10;
      const size_t steps = currentHistory.position;
      ctrlKey(VkV);
      if (currentHistory.position > steps) {  // else refused at a limit: checked below as no change
        const std::vector<int> afterPaste = levelNow();
        ctrlKey(VkZ);
        dragX = dragY = -LevelPoolSize;  // the target less the selection's top-left
        forEachElement(currentLevel, [&](const LevelObject& o) {
          if (o.state == Selected) dragX = std::max(dragX, bx - o.x), dragY = std::max(dragY, by - o.y);
        });
        editAsOneStep(duplicateAndDrag);
        EXPECT_EQ(levelNow(), afterPaste);
        ctrlKey(VkZ);
        ++pasted;
      }
      ASSERT_EQ(levelNow(), start);
      ctrlKey(VkX);
      ASSERT_NE(levelNow(), start);
      ctrlKey(VkZ);
      ASSERT_EQ(levelNow(), start);

      const auto& n = nudges[trial % 4];
      ctrlKey(n.key);
      const std::vector<int> nudged = levelNow();
      ctrlKey(VkZ);
      editor.editState = MovingSelection, editor.anchorX = editor.anchorY = 200, editor.buttonHeld = 1;  // a drag
      onMouseMove(200 + n.dx * LevelPixelsPerBlock * editor.zoom, 200 + n.dy * LevelPixelsPerRow * editor.zoom);
      onButtonUp(ButtonLeft);
      EXPECT_EQ(levelNow(), nudged);
      ctrlKey(VkZ);
    }
  }
  EXPECT_GT(pasted, 25);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
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
  EXPECT_EQ(elementCopyText(copy), text);
  EXPECT_EQ(copy.elements[2], (CopiedElement{4, 3, 6, 7, 0, 0, 0})) << "definition 3 at (8, 9) less the top-left";

  const auto with = [&](void (*change)(ElementCopy*)) {
    ElementCopy changed = copy;
    return change(&changed), elementCopyText(changed);
  };
  const std::string none = "not pasted: the clipboard holds no level elements";
  const std::string limit = "not pasted: a level holds at most ";
  const struct { std::string text, note; } rows[] = {  // no note: pasted
      {"hello, world", none},
      {"driver-elements 2" + text.substr(text.find('\n')), none},
      {text.substr(0, text.size() - 9), none},
      {with([](ElementCopy* c) { c->elements[1].value = 3; }), none},  // the style has pieces 0..2
      {with([](ElementCopy* c) { c->elements[2].kind = 5; }), none},   // definition 3 is of kind 4
      {with([](ElementCopy* c) { c->style = "VARNELO"; }), "not pasted: copied from style VARNELO"},
      {with([](ElementCopy* c) { c->elements.assign(64, c->elements[2]); }), limit + "64 objects"},
      {with([](ElementCopy* c) { c->elements.assign(63, c->elements[2]); }), ""},
      {with([](ElementCopy* c) { c->elements.assign(2498, c->elements[0]); }), limit + "2500 elements"},
      {with([](ElementCopy* c) { c->elements.assign(2497, c->elements[0]); }), ""},
  };
  for (const auto& row : rows) {
    const std::vector<int> before = levelNow();
    const size_t steps = currentHistory.position;
    pasteCopyText(row.text, 3, 4);
    EXPECT_EQ(editor.titleNote, row.note) << row.text.substr(0, 80);
    EXPECT_EQ(currentHistory.position, steps + row.note.empty());
    if (row.note.empty()) historyUndo(&currentHistory);
    EXPECT_EQ(levelNow(), before);
  }
}
