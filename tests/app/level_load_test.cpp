#include <gtest/gtest.h>
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "state/editor_state.h"
#include "app/level_load.h"
#include "app/main_loop.h"
#include "edit/keys.h"
#include "state/level_title.h"
#include "data/bind.h"
#include "data/level_source.h"
#include "platform/events.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"
#include "render/textures.h"
#include "support/demo_copy.h"
#include "headless/headless_gl.h"
#include "support/skips.h"
#include "support/files.h"
#include "support/level_fixtures.h"
#include "support/paths.h"

static std::string titleOf(int levelNumber, const char* name) {
  char out[260];
  formatLevelTitle(levelNumber, name, out, sizeof out);
  return out;
}

TEST(FormatLevelTitle, GroupNameAndNumberComeFromTheLevelNumber) {
  EXPECT_EQ(titleOf(0, "First"), "Varnelo 1 - First");
  EXPECT_EQ(titleOf(37, "Middle"), "Drumek 8 - Middle");
  EXPECT_EQ(titleOf(119, "Last"), "Kelpin 10 - Last");
  EXPECT_EQ(titleOf(50, ""), "Pemberyx 1 - ");
}

TEST(FormatLevelTitle, NameBytesAreWindows1252ConvertedToUtf8) {
  EXPECT_EQ(titleOf(1, "Caf\xE9 \x80\x92"), "Varnelo 2 - Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x99");
  EXPECT_EQ(titleOf(1, "\x81\xFF"), "Varnelo 2 - \xC2\x81\xC3\xBF");  // unassigned bytes keep their value
}

TEST(FormatLevelTitle, ShortBufferNeverCutsACharacter) {
  char out[16];
  formatLevelTitle(0, "ab\xE9", out, sizeof out);  // "Varnelo 1 - ab" is 14 bytes; the e-acute needs 2
  EXPECT_STREQ(out, "Varnelo 1 - ab");
  char tiny[4];
  formatLevelTitle(0, "x", tiny, sizeof tiny);
  EXPECT_EQ(std::string(tiny).size(), 3u);
}

static int loadNumber(int n) {
  editor.levelNumber = n;
  return loadCurrentLevel();
}

TEST(LoadCurrentLevel, TitlesDemoLevelsByGroupAndNumber) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  const std::pair<int, std::string> cases[] = {{0, "Varnelo 1 - "}, {37, "Drumek 8 - "}, {119, "Kelpin 10 - "}};
  for (const auto& [number, prefix] : cases) {
    Level onDisk{};
    ASSERT_EQ(loadLevel(levelPathIn("", number).c_str(), &onDisk), 0);
    ASSERT_EQ(loadNumber(number), 0) << number;
    EXPECT_EQ(std::string(d.window.title), titleOf(number, onDisk.name));
    EXPECT_EQ(std::string(d.window.title).rfind(prefix, 0), 0u) << d.window.title;
    EXPECT_EQ(editor.levelNumber, number);
  }
}

TEST(LoadCurrentLevel, LevelNamingAnotherStyleUsesThatStyleButKeepsItsGroupTitle) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  LevelDescription desc;
  desc.name = "Borrowed look";
  desc.style = 3;
  desc.cells = {{0, 0, 1}, {1, 0, 2}};
  writeFileBytes(d.dir.file(levelPathIn("", 5)), makeLevelImage(desc));
  ASSERT_EQ(loadNumber(5), 0);
  EXPECT_EQ(currentStyle.styleIndex, 3);
  EXPECT_EQ(currentLevel.style, 3);
  EXPECT_EQ(builtTextureCount(), currentStyle.blockCount);
  EXPECT_GT(currentStyle.blockCount, 0u);
  EXPECT_STREQ(d.window.title, "Varnelo 6 - Borrowed look");
}

TEST(LoadCurrentLevel, ResetsTheLoadFieldsAndKeepsTheOthers) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  ASSERT_EQ(loadNumber(0), 0);
  editor.zoom = 4;
  editor.altView = 1;
  editor.editState = Placing;
  editor.dragPixelsX = 5;
  editor.spanY = -2;
  editor.buttonHeld = 1;
  editor.hoverObject = currentLevel.firstObject;
  editor.chosenItem = 3;
  editor.shiftDown = 1;
  editor.animFrame = 7;
  ASSERT_EQ(loadNumber(12), 0);
  EXPECT_EQ((std::vector<int>{editor.zoom, editor.altView, editor.editState, editor.dragPixelsX, editor.spanY,
                              editor.buttonHeld, editor.itemSize, editor.barKind}),
            (std::vector<int>{1, 0, Idle, 0, 0, 0, 64, BarPieces}));
  EXPECT_EQ(editor.hoverObject, nullptr);
  EXPECT_EQ(editor.cameraX, currentLevel.width * 8);
  EXPECT_EQ(editor.cameraY, currentLevel.height * 4);
  EXPECT_EQ(editor.originX, d.window.width / 2 - editor.cameraX);
  EXPECT_EQ(editor.originY, d.window.height / 2 - editor.cameraY);
  EXPECT_EQ(editor.shiftDown, 1);
  EXPECT_EQ(editor.animFrame, 7);
  EXPECT_EQ(static_cast<uint32_t>(editor.animPeriod), animPeriodOf(currentStyle));
  EXPECT_GT(editor.animPeriod, 0);
}

// What must survive a failed load untouched.
struct Snapshot {
  LevelObject* first;
  uint32_t count;
  int32_t styleIndex;
  unsigned* textures;
  unsigned firstName;
  std::string title;
  int zoom;
  explicit Snapshot(const AppWindow& w)
      : first(currentLevel.firstObject), count(currentLevel.objectCount), styleIndex(currentStyle.styleIndex),
        textures(blockTextures), firstName(blockTextures ? blockTextures[0] : 0), title(w.title), zoom(editor.zoom) {}
  void expectUnchanged(const AppWindow& w) const {
    EXPECT_EQ(currentLevel.firstObject, first);
    EXPECT_EQ(currentLevel.objectCount, count);
    EXPECT_EQ(currentStyle.styleIndex, styleIndex);
    EXPECT_EQ(blockTextures, textures);
    EXPECT_TRUE(glIsTexture(firstName));
    EXPECT_EQ(std::string(w.title), title);
    EXPECT_EQ(editor.zoom, zoom);
  }
};

TEST(LoadCurrentLevel, FailureReportsTheFileAndLeavesTheLevelAsItWas) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  ASSERT_EQ(loadNumber(0), 0);
  editor.zoom = 3;
  const Snapshot before(d.window);

  d.remove(levelPathIn("", 1));
  testing::internal::CaptureStderr();
  EXPECT_EQ(loadNumber(1), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("LEVELS/LEVEL001.DAT"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  before.expectUnchanged(d.window);

  LevelDescription desc;
  desc.style = 1;
  writeFileBytes(d.dir.file(levelPathIn("", 2)), makeLevelImage(desc));
  std::vector<uint8_t> style = readFileBytes(d.dir.file("STYLES/QUORB.DAT"));
  style.resize(style.size() / 2);
  writeFileBytes(d.dir.file("STYLES/QUORB.DAT"), style);
  testing::internal::CaptureStderr();
  EXPECT_EQ(loadNumber(2), 1);
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("STYLES/QUORB.DAT"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  before.expectUnchanged(d.window);
}

TEST(SwitchLevel, SkipsLevelsThatFailInTheSameDirection) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  ASSERT_EQ(loadNumber(0), 0);
  d.remove(levelPathIn("", 1));
  d.remove(levelPathIn("", 2));
  testing::internal::CaptureStderr();
  switchLevel(+1);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(editor.levelNumber, 3);
  EXPECT_NE(err.find("LEVEL001.DAT"), std::string::npos);
  EXPECT_NE(err.find("LEVEL002.DAT"), std::string::npos);
  testing::internal::CaptureStderr();
  switchLevel(-1);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(editor.levelNumber, 0);
  switchLevel(-1);
  EXPECT_EQ(editor.levelNumber, 119);
  EXPECT_EQ(std::string(d.window.title).rfind("Kelpin 10 - ", 0), 0u);
  switchLevel(+1);
  EXPECT_EQ(editor.levelNumber, 0);
}

TEST(SwitchLevel, StaysWhenNoOtherLevelLoads) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  ASSERT_EQ(loadNumber(0), 0);
  for (int n = 1; n < LevelCount; ++n) d.remove(levelPathIn("", n));
  const Snapshot before(d.window);
  testing::internal::CaptureStderr();
  switchLevel(+1);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), LevelCount - 1);
  EXPECT_EQ(editor.levelNumber, 0);
  before.expectUnchanged(d.window);
}

// The keys leave a request; the event loop serves it before the next event.
TEST(LevelKeys, LeftAndRightWrapAroundTheDemoLevels) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  ASSERT_EQ(loadNumber(0), 0);
  EXPECT_EQ(std::string(d.window.title).rfind("Varnelo 1 - ", 0), 0u) << d.window.title;

  onKeyDown(VkUp);
  onKeyDown(Vk1);
  handleEvent(EventKeyDown, VkLeft, 0);
  EXPECT_EQ(editor.levelNumber, 119);
  EXPECT_EQ(std::string(d.window.title), titleOf(119, currentLevel.name));
  EXPECT_EQ(std::string(d.window.title).rfind("Kelpin 10 - ", 0), 0u) << d.window.title;
  EXPECT_EQ(editor.zoom, 1);  // the load resets the view and the bar
  EXPECT_EQ(editor.barKind, BarPieces);

  handleEvent(EventKeyDown, VkRight, 0);
  EXPECT_EQ(editor.levelNumber, 0);
  EXPECT_EQ(std::string(d.window.title), titleOf(0, currentLevel.name));

  handleEvent(EventKeyDown, VkPageUp, 0);
  EXPECT_EQ(editor.levelNumber, 110);
  handleEvent(EventKeyDown, VkPageDown, 0);
  EXPECT_EQ(editor.levelNumber, 0);
}

TEST(SwitchLevel, AFullRoundOfSwitchesLeavesOnlyTheCurrentTextures) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  ASSERT_EQ(loadNumber(0), 0);
  std::set<unsigned> everName;
  const auto collect = [&] {
    for (uint32_t b = 0; b < builtTextureCount(); ++b) {
      everName.insert(blockTextures[b]);
      everName.insert(maskTextures[b]);
    }
  };
  for (int i = 0; i < LevelCount; ++i) {
    collect();
    switchLevel(+1);
  }
  collect();
  EXPECT_EQ(editor.levelNumber, 0);
  EXPECT_GT(everName.size(), 2u * builtTextureCount());
  size_t alive = 0;
  for (unsigned name : everName) alive += glIsTexture(name) ? 1 : 0;
  EXPECT_EQ(alive, 2u * builtTextureCount());
}

TEST(FindStartLevel, MissingDataIsOneReasonAndAReminder) {
  TempDir empty;
  int result;
  std::string err;
  {
    InDir cwd(empty.path);
    testing::internal::CaptureStderr();
    int number = -1;
    LoadFailure first{};
    result = findStartLevel(&number, &first);
    err = testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(result, 1);
  EXPECT_NE(err.find("LEVELS/LEVEL000.DAT"), std::string::npos) << err;
  EXPECT_NE(err.find("LEVELS/ and STYLES/ must be in the current directory"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
}
