// The journal in-process, over a copy of the demo data and a fake clock: what
// the copies hold after random edits, and what each way of ending a run
// leaves for the next start.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>

#include "app/journal.h"
#include "app/journal_offer.h"
#include "app/journal_writer.h"
#include "app/level_load.h"
#include "app/main_loop.h"
#include "data/level_writer.h"
#include "edit/edit_steps.h"
#include "edit/operations.h"
#include "platform/events.h"
#include "platform/virtual_keys.h"
#include "state/editor_state.h"
#include "state/journal_copy.h"
#include "state/journal_levels.h"
#include "support/demo_copy.h"

namespace fs = std::filesystem;

namespace {

uint64_t fakeNow = 0;
uint64_t fakeClock() { return fakeNow; }

std::vector<uint8_t> imageOf(const Level& level) {
  std::vector<uint8_t> image(LevelFileSize);
  EXPECT_EQ(buildLevelImage(level, image.data()), 0);
  return image;
}

// Every field a restore must give back, element by element in list order
// (cells point into each record's own style: pieces compare by index).
std::vector<std::vector<int64_t>> elementsOf(const Level& level) {
  std::vector<std::vector<int64_t>> all;
  forEachElement(level, [&](const LevelObject& e) {
    all.push_back({e.kind, e.value, e.paramA, e.paramB, e.flags, e.shiftX, e.shiftY, e.width, e.height, e.x, e.y,
                   e.cells != nullptr});
  });
  return all;
}

void key(int vk) {
  handleEvent(EventKeyDown, vk, 0);
  handleEvent(EventKeyUp, vk, 0);
}

// Selects about a third of the current level's elements.
void selectSome(std::mt19937& random) {
  forEachElement(currentLevel, [&](LevelObject& e) { e.state = random() % 3 == 0 ? Selected : NotSelected; });
}

void pass(uint64_t ms, bool events = true) {
  fakeNow += ms;
  journalPass(events);
  journalWriterFlush();
}

std::string copyOf(const JournalRun& run, int n) { return journalCopyPath(journalFolder(), run, n); }

// A fresh editor on level 0, as a new process would start; the window and the
// quad list stay.
void restartEditor() {
  AppWindow* window = editor.window;
  const unsigned quadList = editor.quadList;
  resetEditorState();
  editor.window = window;
  editor.quadList = quadList;
  ASSERT_EQ(loadCurrentLevel(), 0);
}

struct JournalFixture : ::testing::Test {
  DemoCopy demo;
  std::string folder;
  void SetUp() override {
    SKIP_WITHOUT_DEMO_DATA();
    SKIP_WITHOUT_GL(demo.gl);
    setJournalClock(fakeClock);
    setenv("XDG_STATE_HOME", demo.dir.file("state").c_str(), 1);
    folder = recoveryFolderFor(demo.dir.file("state"), fs::current_path().string());
    ASSERT_EQ(loadCurrentLevel(), 0);
  }
  void TearDown() override {
    journalEnd();
    setJournalClock(nullptr);
  }
};

}  // namespace

TEST_F(JournalFixture, CopiesReadBackAsTheEditorHoldsEveryLevel) {
  ASSERT_EQ(journalStart(folder, thisJournalRun()), 0);
  std::mt19937 random(22);
  for (int step = 0; step < 400; ++step) {
    selectSome(random);
    editor.dragBlocksX = int(random() % 61) - 30;  // often past the level's edges
    editor.dragBlocksY = int(random() % 61) - 30;
    switch (random() % 9) {
      case 0: key(editor.levelNumber < 3 ? VkRight : VkLeft); break;
      case 1: editAsOneStep(deleteSelection); break;
      case 2: editAsOneStep(toggleTerrainFlag); break;
      case 3:
        startNewObject(BarPieces, int(random() % currentStyle.pieces.size()));
        editor.newObject.x = editor.dragBlocksX;
        editor.newObject.y = editor.dragBlocksY;
        editAsOneStep(commitNewObject);
        break;
      case 4:
        handleEvent(EventKeyDown, VkControl, 0);
        key(VkZ);
        handleEvent(EventKeyUp, VkControl, 0);
        break;
      case 5: key(VkS); break;
      default: editAsOneStep(moveSelection); break;
    }
    pass(random() % 1500);
  }
  pass(JournalDelayMs, false);
  int journalled = 0;
  for (int n = 0; n < LevelCount; ++n) {
    const std::vector<uint8_t> bytes = readFileBytes(copyOf(journalRun(), n));
    ASSERT_EQ(!bytes.empty(), levelHoldsUnsavedEdits(n)) << "level " << n;
    if (bytes.empty()) continue;
    ++journalled;
    int number = -1;
    Level read;
    ASSERT_EQ(decodeJournalCopy(bytes.data(), bytes.size(), &number, &read), 0) << "level " << n;
    Style style{};
    ASSERT_EQ(loadStyle(read.style, &style), 0);
    ASSERT_EQ(attachJournalStyle(style, &read), 0);
    const Level& held = *levelInMemory(n);
    EXPECT_EQ(number, n);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + LevelFileSize), imageOf(held)) << "level " << n;
    EXPECT_EQ(imageOf(read), imageOf(held)) << "level " << n;
    EXPECT_EQ(elementsOf(read), elementsOf(held)) << "level " << n;
    freeStyle(&style);
  }
  EXPECT_GE(journalled, 2) << "the walk should leave several levels unsaved";
}

// Each way a run ends, and what the next start in the same folder finds.
TEST_F(JournalFixture, EachEndOfARunLeavesWhatTheNextStartOffers) {
  enum End { Killed, Signalled, ClosedClean, SavedThenKilled, DamagedThenKilled };
  struct Case {
    const char* what;
    End end;
    bool stillRunning;          // the previous run's process is alive: its lock holds
    std::vector<int> offered;
  } cases[] = {
      {"edit, wait, SIGKILL (stale lock) -> offered as last written", Killed, false, {0, 2}},
      {"clean close -> no journal", ClosedClean, false, {}},
      {"save -> that level's copy gone", SavedThenKilled, false, {2}},
      {"SIGTERM -> kept with the last edit", Signalled, false, {0, 2}},
      {"damaged copy -> skipped and renamed", DamagedThenKilled, false, {2}},
      {"live lock -> no offer", Killed, true, {}},
  };
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  waitpid(dead, nullptr, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder);
    restartEditor();
    const JournalRun previous = c.stillRunning ? JournalRun{int(getppid()), 0} : JournalRun{int(dead), 1};
    ASSERT_EQ(journalStart(folder, previous), 0);
    std::map<int, std::vector<uint8_t>> expected;
    // Flags toggled in place: a move would push elements past the edge, and a
    // save that leaves elements out holds no whole copy, so the mark would stay.
    auto edit = [&] {
      forEachElement(currentLevel, [](LevelObject& e) { e.state = Selected; });
      editAsOneStep(toggleTerrainFlag);
      pass(0);
    };
    edit();
    pass(JournalDelayMs - 1);
    ASSERT_FALSE(fileExists(copyOf(previous, 0))) << "written before a second passed";
    pass(1);
    ASSERT_TRUE(fileExists(copyOf(previous, 0)));
    expected[0] = imageOf(currentLevel);
    key(VkRight);
    key(VkRight);
    edit();
    pass(JournalDelayMs);
    expected[2] = imageOf(currentLevel);
    edit();  // not yet a second old
    if (c.end == Signalled) {
      handleEvent(EventClose, 0, 0);  // as SDL reports SIGTERM
      expected[2] = imageOf(currentLevel);
      journalEnd();
    } else if (c.end == ClosedClean) {
      journalEnd();
      EXPECT_FALSE(fs::exists(demo.dir.file("state/levelkit"))) << "nothing left behind";
    } else if (c.end == SavedThenKilled) {
      key(VkLeft);  // writes level 2 with the late edit at once
      expected[2] = imageOf(*levelInMemory(2));
      key(VkLeft);
      key(VkS);
      pass(0);
      EXPECT_FALSE(fileExists(copyOf(previous, 0)));
    } else if (c.end == DamagedThenKilled) {
      std::vector<uint8_t> bytes = readFileBytes(copyOf(previous, 0));
      bytes[LevelFileSize + JournalTrailerHead] ^= 1;
      writeFileBytes(copyOf(previous, 0), bytes);
    }

    // The next start, as main makes it (no box can show: it restores).
    restartEditor();
    startJournalWithOffer();
    ASSERT_TRUE(journalActive());
    for (int n : c.offered) {
      EXPECT_TRUE(levelHoldsUnsavedEdits(n)) << n;
      EXPECT_EQ(imageOf(*levelInMemory(n)), expected[n]) << n;
      EXPECT_TRUE(fileExists(copyOf(journalRun(), n))) << "taken over under the new run: " << n;
    }
    EXPECT_EQ(editor.levelNumber, c.offered.empty() ? 0 : c.offered.front());
    EXPECT_EQ(editor.window->title[0] == '*', !c.offered.empty()) << editor.window->title;
    const bool damaged = c.end == DamagedThenKilled;
    EXPECT_EQ(fileExists(copyOf(previous, 0) + ".damaged"), damaged);
    EXPECT_EQ(std::string(editor.window->title).find("damaged") != std::string::npos, damaged);
    EXPECT_EQ(fileExists(journalLockPath(folder, previous)), c.stillRunning);

    journalEnd();  // a clean close of the new run leaves only what is not its own
    int left = 0;
    std::error_code none;
    for (fs::directory_iterator it(folder, none), end; !none && it != end; ++it)
      left += it->path().extension() == ".damaged" || c.stillRunning ? 0 : 1;
    EXPECT_EQ(left, 0);
    EXPECT_EQ(fs::exists(folder), damaged || c.stillRunning);
  }
}
