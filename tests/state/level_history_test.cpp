// The undo history: a property over random edits of demo levels (every undo
// and redo gives back the file image, the element list and the selection of
// its moment), and the cases the property cannot reach.

#include "state/level_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/level_load.h"
#include "app/main_loop.h"
#include "data/level_writer.h"
#include "edit/keys.h"
#include "edit/mouse.h"
#include "edit/operations.h"
#include "platform/events.h"
#include "platform/virtual_keys.h"
#include "render/textures.h"
#include "state/camera.h"
#include "state/kept_levels.h"
#include "state/level_title.h"
#include "support/demo_copy.h"
#include "support/edit_fixture.h"

namespace {

// Everything an undo must give back: what S would write (and whether it
// would), the list in draw order with each element's selection, the camera.
struct Moment {
  std::vector<uint8_t> image = std::vector<uint8_t>(LevelFileSize);
  std::vector<int64_t> fields;
  bool operator==(const Moment&) const = default;
};

Moment momentNow() {
  Moment m;
  m.fields = {buildLevelImage(currentLevel, m.image.data()), editor.cameraX, editor.cameraY};
  for (const LevelObject* o = currentLevel.firstObject; o; o = o->next)
    m.fields.insert(m.fields.end(), {o->kind, o->value, o->x, o->y, o->paramA, o->paramB, o->flags, o->width,
                                     o->height, o->state});
  return m;
}

void press(int key, bool ctrl = false) {
  editor.ctrlDown = ctrl;
  handleEvent(EventKeyDown, key, 0);
  editor.ctrlDown = 0;
}

int pick(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

// Selecting is not an edit, but an undo brings back the selection of its moment.
void randomSelection(std::mt19937& rng) {
  const int oneIn = pick(rng, 2, 12);
  for (LevelObject* o = currentLevel.firstObject; o; o = o->next)
    o->state = pick(rng, 1, oneIn) == 1 ? Selected : NotSelected;
}

constexpr int PlaceAction = 7;

// One random action (or the one asked for) through the handlers the user's
// input reaches. Returns a short name for failure messages.
const char* randomAction(std::mt19937& rng, int action) {
  auto pick = [&rng](int low, int high) { return ::pick(rng, low, high); };
  const int cx = clientWidth() / 2 + pick(-200, 200), cy = clientHeight() / 2 + pick(-150, 100);
  const auto dragTo = [&](int state, int dx, int dy) {
    editor.editState = state;
    editor.anchorX = cx;
    editor.anchorY = cy;
    editor.buttonHeld = 1;
    onMouseMove(cx + dx, cy + dy);
    onButtonUp(ButtonLeft);
  };
  switch (action >= 0 ? action : pick(0, PlaceAction)) {
    case 0: press(VkDelete); return "delete";
    case 1: press(Vk3); return "toggle";
    case 2: dragTo(MovingSelection, pick(-60, 60), pick(-40, 40)); return "move";
    case 3: {
      const int edges[] = {EdgeLeft, EdgeRight, EdgeTop, EdgeBottom, EdgeLeft | EdgeTop, EdgeRight | EdgeTop,
                           EdgeLeft | EdgeBottom, EdgeRight | EdgeBottom};
      editor.edgeMask = edges[pick(0, 7)] & (currentLevel.style == 0 ? EdgeLeft | EdgeRight : EdgeBits);
      dragTo(ResizingLevel, pick(-160, 160), pick(-80, 80));
      return "resize";
    }
    case 4: dragTo(MovingStartView, pick(-100, 100), pick(-60, 60)); return "start view";
    case 5: press(VkO, true); return "reopen";
    case 6: {  // the next reopen reads another demo level, often of another style
      std::filesystem::copy_file(levelPathIn("", pick(0, LevelCount - 1)), "LEVEL___.DAT",
                                 std::filesystem::copy_options::overwrite_existing);
      return "new file to reopen";
    }
    default: {  // a piece or an object, stretched into copies where its kind allows
      const int kind = action < 0 && pick(0, 2) == 0 ? BarPieces : BarObjects;
      const int count = kind == BarPieces ? int(currentStyle.pieces.size()) : int(currentStyle.objectDefs.size());
      editor.mouseX = cx;
      editor.mouseY = cy;
      startNewObject(kind, pick(kind == BarPieces ? 1 : 0, count - 1));
      editor.editState = Placing;
      onButtonDown(ButtonLeft);
      onMouseMove(cx + pick(-50, 120), cy + pick(-30, 60));
      onButtonUp(ButtonLeft);
      return "place";
    }
  }
}

}  // namespace

TEST(LevelHistory, UndoAndRedoGiveBackEveryMomentOfRandomEdits) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy demo;
  SKIP_WITHOUT_GL(demo.gl);
  for (const int level : {16, 0, 37, 84, 119}) {
    SCOPED_TRACE("level " + std::to_string(level));
    editor.levelNumber = level;
    ASSERT_EQ(loadCurrentLevel(), 0);
    std::mt19937 rng(static_cast<unsigned>(level) + 1);
    std::vector<Moment> before, after;  // around step k
    for (int action = 0; action < 120; ++action) {
      randomSelection(rng);
      const Moment was = momentNow();
      const size_t steps = currentHistory.position;
      // One level first fills up with objects, so placing meets the file's limit.
      const char* name = randomAction(rng, level == 119 && action < 80 ? PlaceAction : -1);
      const Moment now = momentNow();
      if (currentHistory.position == steps) {
        ASSERT_TRUE(now == was) << name << " changed the level without a step";
        continue;
      }
      ASSERT_EQ(currentHistory.position, steps + 1) << name;
      before.push_back(was);
      after.push_back(now);
    }
    ASSERT_GT(before.size(), 40u);
    for (size_t k = before.size(); k-- > 0;) {
      press(VkZ, true);
      ASSERT_TRUE(momentNow() == before[k]) << "undo of step " << k;
    }
    for (size_t k = 0; k < after.size(); ++k) {
      editor.shiftDown = k % 2;  // Ctrl+Y and Ctrl+Shift+Z alike
      press(k % 2 ? VkZ : VkY, true);
      ASSERT_TRUE(momentNow() == after[k]) << "redo of step " << k;
    }
    editor.shiftDown = 0;
    EXPECT_EQ(builtTextureCount(), currentStyle.blockCount) << "textures follow a style changed by the steps";
  }
}

// Cases the property does not reach, on a small level built in code.
struct History : ::testing::Test {
  EditFixture fx;
  void SetUp() override {
    fx.setUp(30, 30);
    fx.addCell(2, 2);
    fx.addCell(3, 2);
    fx.addObjectOfDef(0, 5, 5);
  }
  void TearDown() override {
    historyBudget = DefaultHistoryBudget;
    resetEditorState();
  }
  static void toggleAll() {
    for (LevelObject* o = currentLevel.firstObject; o; o = o->next) o->state = Selected;
    onKeyDown(Vk3);
  }
};

TEST_F(History, ANewEditAfterAnUndoDropsTheRedoSteps) {
  toggleAll();
  toggleAll();
  ASSERT_EQ(historyUndo(&currentHistory), HistoryMoved);
  clearSelection();
  elementAt(0)->state = Selected;
  onKeyDown(VkDelete);
  EXPECT_EQ(currentHistory.steps.size(), 2u);
  EXPECT_EQ(historyRedo(&currentHistory), HistoryNothing);
  EXPECT_EQ(currentLevel.objectCount, 2u);
}

TEST_F(History, KeepsAThousandStepsAndDropsTheRunsOldestPastTheBudget) {
  for (int i = 0; i < 1000; ++i) toggleAll();
  EXPECT_EQ(currentHistory.steps.size(), 1000u);
  EXPECT_LT(historyBytes(), size_t(1) << 20) << "a toggle step stays small";

  // Those steps are left behind with level 4; the next level makes newer ones.
  keepCurrentLevel(4);
  currentLevel = Level{};
  currentLevel.width = currentLevel.height = 30;
  fx.addCell(7, 7);
  toggleAll();
  historyBudget = historyBytes();  // full: the next step must push an older one out
  toggleAll();
  EXPECT_EQ(currentHistory.steps.size(), 2u);
  EXPECT_LT(keptLevels.front().history.steps.size(), 1000u) << "the kept level's steps are the oldest";
  EXPECT_LE(historyBytes(), historyBudget);

  historyBudget = 0;
  toggleAll();
  EXPECT_EQ(historyBytes(), 0u);
  EXPECT_EQ(historyUndo(&currentHistory), HistoryNothing);
  EXPECT_EQ(unsavedLevelNumbers().size(), 2u) << "the edits stay unsaved although they can no longer be undone";
}

TEST_F(History, TheMarkFollowsTheSavedPosition) {
  TempDir dir;
  InDir inside(dir.path);
  const auto title = [&] { return std::string(fx.window.title); };
  showCurrentTitle();
  const std::string plain = title();
  toggleAll();
  EXPECT_EQ(title(), "*" + plain);
  ASSERT_EQ(historyUndo(&currentHistory), HistoryMoved);
  showCurrentTitle();
  EXPECT_EQ(title(), plain) << "undone to the level as loaded";
  ASSERT_EQ(historyRedo(&currentHistory), HistoryMoved);
  toggleAll();
  onKeyDown(VkS);
  EXPECT_EQ(title(), plain);
  ASSERT_EQ(historyUndo(&currentHistory), HistoryMoved);
  showCurrentTitle();
  EXPECT_EQ(title(), "*" + plain) << "before the save point, a state no file holds";
  ASSERT_EQ(historyRedo(&currentHistory), HistoryMoved);
  showCurrentTitle();
  EXPECT_EQ(title(), plain) << "back at the save point";
  EXPECT_TRUE(unsavedLevelNumbers().empty());
}
