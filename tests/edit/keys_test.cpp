// Keyboard commands and the camera, driven through onKeyDown/onKeyUp with a
// level built in code and no window system.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "data/level_writer.h"
#include "edit/keys.h"
#include "edit/panel_input.h"
#include "platform/virtual_keys.h"
#include "state/camera.h"
#include "state/level_title.h"
#include "support/edit_fixture.h"
#include "support/files.h"

namespace {

EditFixture fx;

// A 20 by 20 level with two terrain cells and one object, a style with enough
// items for the bar, a 640 by 480 client area and the editor as a load leaves it.
void setUpLevel() {
  fx.setUp(20, 20);
  currentStyle.objectDefCount = 30;
  currentStyle.objectDefs.resize(30);
  currentStyle.pieceCount = 30;
  currentStyle.pieces.resize(30);
  std::strcpy(currentLevel.name, "Keys test level");
  currentLevel.timeMinutes = 5;
  fx.addCell(2, 3, 7);
  fx.addCell(4, 3, 9);
  LevelObject* object = addObject(ObjectKindObject, 1, 5, 6, 0, 0, &currentLevel);
  object->width = object->height = 1;
  setBarKind(BarPieces);
}

std::vector<uint8_t> levelImage() {
  std::vector<uint8_t> image(LevelFileSize);
  EXPECT_EQ(buildLevelImage(currentLevel, image.data()), 0);
  return image;
}

// Runs a test body in a fresh temporary current directory.
struct InTempDir {
  TempDir dir;
  InDir cwd{dir.path};
};

std::string plainTitleOf(int levelNumber) {
  char title[sizeof fx.window.title] = "";
  formatLevelTitle(levelNumber, currentLevel.name, title, sizeof title);
  return title;
}

}  // namespace

TEST(Keys, ZoomStaysBetweenOneAndEightInEveryState) {
  setUpLevel();
  for (int i = 0; i < 10; ++i) onKeyDown(VkUp);
  EXPECT_EQ(editor.zoom, 8);
  onKeyDown(VkDown);
  EXPECT_EQ(editor.zoom, 7);
  editor.editState = MovingSelection;
  for (int i = 0; i < 10; ++i) onKeyDown(VkDown);
  EXPECT_EQ(editor.zoom, 1);
}

TEST(Keys, EscapeClearsTheSelectionOnlyWhenIdleOrPlacing) {
  setUpLevel();
  elementAt(0)->state = Selected;
  editor.editState = MovingSelection;
  onKeyDown(VkEscape);
  EXPECT_EQ(elementAt(0)->state, Selected);
  EXPECT_EQ(editor.editState, MovingSelection);

  editor.editState = Placing;
  onKeyDown(VkEscape);
  EXPECT_EQ(elementAt(0)->state, NotSelected);
  EXPECT_EQ(editor.editState, Idle);

  elementAt(1)->state = Selected;
  onKeyDown(VkEscape);
  EXPECT_EQ(elementAt(1)->state, NotSelected);
  EXPECT_EQ(editor.editState, Idle);
}

TEST(Keys, BarSelectionDeleteAndFlagKeysActOnlyWhenIdle) {
  setUpLevel();
  elementAt(0)->state = Selected;
  for (int state : {int(Panning), int(BandSelecting), int(Placing), int(StartViewReady)}) {
    editor.editState = state;
    onKeyDown(Vk1);
    onKeyDown(Vk3);
    onKeyDown(VkDelete);
    EXPECT_EQ(editor.barKind, BarPieces) << "state " << state;
    EXPECT_EQ(elementAt(0)->flags, 0u) << "state " << state;
    EXPECT_EQ(currentLevel.objectCount, 3u) << "state " << state;
  }

  editor.editState = Idle;
  onKeyDown(Vk1);
  EXPECT_EQ(editor.barKind, BarObjects);
  EXPECT_EQ(editor.panels[1].minValue, 0);
  editor.chosenItem = 3;
  onKeyDown(Vk1);  // already objects: no new layout
  EXPECT_EQ(editor.chosenItem, 3);
  onKeyDown(Vk2);
  EXPECT_EQ(editor.barKind, BarPieces);
  EXPECT_EQ(editor.panels[1].value, 68);
  EXPECT_EQ(editor.chosenItem, -1);

  onKeyDown(Vk3);
  EXPECT_EQ(elementAt(0)->flags, 0x4000u);
  EXPECT_EQ(elementAt(1)->flags, 0u);
  onKeyDown(VkDelete);
  EXPECT_EQ(currentLevel.objectCount, 2u);
  EXPECT_EQ(currentLevel.firstObject->value, 9u);
}

TEST(Keys, SpaceArmsTheStartViewOnlyFromIdle) {
  setUpLevel();
  editor.editState = BandSelecting;
  onKeyDown(VkSpace);
  EXPECT_EQ(editor.key32Down, 1);
  EXPECT_EQ(editor.editState, BandSelecting);
  onKeyUp(VkSpace);
  EXPECT_EQ(editor.key32Down, 0);
  EXPECT_EQ(editor.editState, BandSelecting);

  editor.editState = Idle;
  onKeyDown(VkSpace);
  EXPECT_EQ(editor.editState, StartViewReady);
  editor.editState = MovingStartView;  // a start-view drag under way
  editor.mouseX = 123;
  editor.mouseY = 45;
  onKeyUp(VkSpace);
  EXPECT_EQ(editor.key32Down, 0);
  EXPECT_EQ(editor.editState, Idle);
  EXPECT_EQ(editor.anchorX, 123);
  EXPECT_EQ(editor.anchorY, 45);
}

TEST(Keys, UnknownCodesChangeNothing) {
  setUpLevel();
  std::vector<uint8_t> before(sizeof(EditorState));
  std::memcpy(before.data(), &editor, sizeof(EditorState));
  for (int key : {0, 9, 13, 41, 47, 52, 82, 84, 255}) {
    onKeyDown(key);
    onKeyUp(key);
  }
  EXPECT_EQ(std::memcmp(before.data(), &editor, sizeof(EditorState)), 0);
}

TEST(Camera, RecentreRaisesTheCentreAboveTheBarAndFollowsZoom) {
  setUpLevel();
  editor.cameraX = 160;
  editor.cameraY = 80;
  recentre();
  EXPECT_EQ(editor.viewCentreX, 320);
  EXPECT_EQ(editor.viewCentreY, 201);
  EXPECT_EQ(editor.originX, 160);
  EXPECT_EQ(editor.originY, 121);

  // Zooming keeps the level point under the centre fixed.
  onKeyDown(VkUp);
  onKeyDown(VkUp);
  recentre();
  EXPECT_EQ(editor.originX, 320 - 160 * 3);
  EXPECT_EQ(editor.originY, 201 - 80 * 3);
  EXPECT_EQ(editor.originX + editor.cameraX * editor.zoom, editor.viewCentreX);

  fx.window.width = 641;  // odd sizes truncate
  fx.window.height = 101;
  recentre();
  EXPECT_EQ(editor.viewCentreX, 320);
  EXPECT_EQ(editor.viewCentreY, 50 - 39);
}

TEST(SaveKey, WritesTheWriterImageAndChangesNothingElse) {
  setUpLevel();
  InTempDir cwd;
  std::strcpy(fx.window.title, "unchanged");
  const std::vector<uint8_t> expected = levelImage();
  std::vector<uint8_t> before(sizeof(EditorState));
  std::memcpy(before.data(), &editor, sizeof(EditorState));

  onKeyDown(VkS);

  EXPECT_EQ(readFileBytes(cwd.dir.file("LEVEL___.DAT")), expected);
  EXPECT_EQ(levelImage(), expected);
  EXPECT_EQ(currentLevel.objectCount, 3u);
  std::strcpy(fx.window.title, "unchanged");  // a successful save may restore the plain title
  EXPECT_EQ(std::memcmp(before.data(), &editor, sizeof(EditorState)), 0);
}

TEST(SaveKey, SavesInTheAlternateViewAndMidDragAtThePositionsBeforeTheDrag) {
  setUpLevel();
  InTempDir cwd;
  editor.altView = 1;
  onKeyDown(VkS);
  EXPECT_EQ(readFileBytes(cwd.dir.file("LEVEL___.DAT")), levelImage());

  // A selection being dragged three blocks right is saved where it stood.
  editor.altView = 0;
  elementAt(0)->state = Selected;
  const std::vector<uint8_t> beforeDrag = levelImage();
  editor.editState = MovingSelection;
  editor.buttonHeld = 1;
  editor.dragBlocksX = 3;
  onKeyDown(VkS);
  EXPECT_EQ(readFileBytes(cwd.dir.file("LEVEL___.DAT")), beforeDrag);
  EXPECT_EQ(editor.editState, MovingSelection);
  EXPECT_EQ(editor.dragBlocksX, 3);
  EXPECT_EQ(elementAt(0)->x, 2);
}

TEST(SaveKey, RefusedSaveKeepsTheOldFileAndSaysSoInTheTitle) {
  setUpLevel();
  InTempDir cwd;
  onKeyDown(VkS);
  const std::vector<uint8_t> good = readFileBytes(cwd.dir.file("LEVEL___.DAT"));
  ASSERT_EQ(good.size(), LevelFileSize);
  const std::string plain = plainTitleOf(editor.levelNumber);

  currentLevel.width = 81;  // no width class holds it: the writer refuses
  onKeyDown(VkS);
  EXPECT_EQ(readFileBytes(cwd.dir.file("LEVEL___.DAT")), good);
  const std::string title = fx.window.title;
  EXPECT_EQ(title.rfind(plain + " (not saved: ", 0), 0u) << title;
  EXPECT_EQ(title.back(), ')');

  currentLevel.width = 20;
  onKeyDown(VkS);
  EXPECT_EQ(fx.window.title, plain);
  EXPECT_EQ(readFileBytes(cwd.dir.file("LEVEL___.DAT")), good);
}

TEST(UndoKeys, AskOnlyInIdleWithCtrlHeld) {
  setUpLevel();
  const auto requestOf = [](int key) {
    editor.levelRequest = NoLevelRequest;
    onKeyDown(key);
    return editor.levelRequest;
  };
  EXPECT_EQ(requestOf(VkZ), NoLevelRequest) << "without Ctrl a plain letter";
  editor.ctrlDown = 1;
  editor.editState = MovingSelection;  // mid-drag: the keys do nothing
  for (const int key : {VkZ, VkY, VkO}) EXPECT_EQ(requestOf(key), NoLevelRequest) << key;
  editor.editState = Idle;
  EXPECT_EQ(requestOf(VkZ), UndoRequest);
  EXPECT_EQ(requestOf(VkY), RedoRequest);
  EXPECT_EQ(requestOf(VkO), ReopenRequest);
  editor.shiftDown = 1;
  EXPECT_EQ(requestOf(VkZ), RedoRequest);
  editor.shiftDown = editor.ctrlDown = 0;
}
