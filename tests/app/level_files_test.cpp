// Which file holds each level: the unsaved mark over sequences of edits,
// saves, switches, undo, Ctrl+O and another program's writes; S over a
// changed LEVEL___.DAT; refusals and left-out elements; levels that do not
// load at start and while stepping.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "app/level_commands.h"
#include "app/level_load.h"
#include "data/level_writer.h"
#include "edit/keys.h"
#include "edit/operations.h"
#include "edit/save_commands.h"
#include "platform/virtual_keys.h"
#include "state/kept_levels.h"
#include "state/editor_state.h"
#include "state/level_files.h"
#include "state/level_history.h"
#include "state/level_title.h"
#include "support/demo_copy.h"
#include "support/level_fixtures.h"

namespace {

std::vector<uint8_t> fixture(const char* name) {
  LevelDescription d;
  d.name = name;
  d.cells = {{1, 1, 1}, {2, 1, 2}, {3, 4, 1}};
  d.objects = {{0, 4, 4}, {0, 8, 8}};
  return makeLevelImage(d);
}

// Levels 0 and 1 and a LEVEL___.DAT written by code, level 0 shown.
struct FilesFixture {
  DemoCopy d;
  bool ready = false;
  FilesFixture() {
    const std::pair<std::string, const char*> files[] = {
        {levelPathIn("", 0), "Zero"}, {levelPathIn("", 1), "One"}, {"LEVEL___.DAT", "Yesterday"}};
    for (const auto& [file, name] : files) writeFileBytes(d.dir.file(file), fixture(name));
    ready = d.ready && loadCurrentLevel() == 0;
  }
  std::string title() const { return d.window.title; }
  std::vector<uint8_t> shared() const { return readFileBytes(d.dir.file("LEVEL___.DAT")); }
};

#define SKIP_UNLESS_READY(f)    \
  do {                          \
    SKIP_WITHOUT_DEMO_DATA();   \
    SKIP_WITHOUT_GL((f).d.gl);  \
    ASSERT_TRUE((f).ready);     \
  } while (0)

void deleteFirstElement() {
  clearSelection();
  currentLevel.firstObject->state = Selected;
  onKeyDown(VkDelete);
}

void saveKey(bool ctrl) {
  editor.ctrlDown = ctrl ? 1 : 0;
  onKeyDown(VkS);
  editor.ctrlDown = 0;
}

std::vector<uint8_t> imageOf(const Level& level) {
  std::vector<uint8_t> image(LevelFileSize);
  EXPECT_EQ(buildLevelImage(level, image.data()), 0);
  return image;
}

}  // namespace

// e edit, S save, C Ctrl+S, > Right, < Left, u undo, r redo, o Ctrl+O,
// w another program stamps LEVEL___.DAT, W it puts the bytes back; after each
// step the marks of levels 0 and 1 ('*' unsaved).
TEST(UnsavedMark, FollowsWhichFileHoldsEachLevel) {
  const std::pair<const char*, std::vector<const char*>> rows[] = {
      {"eS>S<", {"*.", "..", "..", "*.", "*."}},  // S of another level takes the only copy away
      {"eSwW", {"*.", "..", "*.", ".."}},         // another program's write, then the bytes back
      {"eSe", {"*.", "..", "*."}},                // an edit after the save point
      {"eCur", {"*.", "..", "*.", ".."}},         // its own file holds the edit, not the level as loaded
      {"eu", {"*.", ".."}},                       // undo to the level as read
      {"ou", {"..", ".."}},                       // Ctrl+O, then back to the level as read
      {"oeu", {"..", "*.", ".."}},
      {"eSou", {"*.", "..", "..", "*."}},         // the edit is in LEVEL___.DAT only as the reopen's step
      {"e>e<u", {"*.", "*.", "**", "**", ".*"}},  // kept levels keep their marks
      {"oC>", {"..", "..", ".."}},                // Ctrl+O then Ctrl+S: the pack holds it
  };
  for (const auto& [steps, marks] : rows) {
    FilesFixture f;
    SKIP_UNLESS_READY(f);
    std::vector<uint8_t> beforeStamp;
    for (size_t i = 0; steps[i]; ++i) {
      switch (steps[i]) {
        case 'e': deleteFirstElement(); break;
        case 'S': saveKey(false); break;
        case 'C': saveKey(true); break;
        case '>': switchLevel(+1); break;
        case '<': switchLevel(-1); break;
        case 'u': undoEdit(); break;
        case 'r': redoEdit(); break;
        case 'o': reopenSavedLevel(); break;
        case 'w': beforeStamp = f.shared(); writeFileBytes(f.d.dir.file("LEVEL___.DAT"), fixture("Stamped")); break;
        case 'W': writeFileBytes(f.d.dir.file("LEVEL___.DAT"), beforeStamp); break;
      }
      refreshSharedFile(false);  // as the main loop does each pass
      const std::string got = {levelHasUnsavedEdits(0) ? '*' : '.', levelHasUnsavedEdits(1) ? '*' : '.'};
      EXPECT_EQ(got, marks[i]) << steps << " after step " << i;
      showCurrentTitle();
      EXPECT_EQ(f.title()[0] == '*', got[static_cast<size_t>(editor.levelNumber)] == '*') << steps << " " << f.title();
    }
  }
}

// Another program stamped LEVEL___.DAT after this run's S: S asks (no box in
// a test, so it refuses rather than guess), and each answer writes its bytes.
TEST(SharedFile, EachAnswerToAChangedFileWritesItsBytes) {
  LevelPatch stamp{"Stamped by the form", {20, 21, 22, 23, 24, 25, 26, 27}, {1, 2, 3, 4, 5, 6, 7, 8}, 9, 30, -5};
  for (const int answer : {KeepItsStamp, OverwriteIt, CancelSave}) {
    FilesFixture f;
    SKIP_UNLESS_READY(f);
    saveKey(false);
    std::vector<uint8_t> stamped = f.shared();
    applyLevelPatch(stamped, stamp);
    writeFileBytes(f.d.dir.file("LEVEL___.DAT"), stamped);
    deleteFirstElement();
    saveKey(false);
    EXPECT_EQ(f.shared(), stamped) << "asked first";
    EXPECT_NE(f.title().find("(not saved: it changed on disk"), std::string::npos) << f.title();

    std::vector<uint8_t> expected = answer == CancelSave ? stamped : imageOf(currentLevel);
    if (answer == KeepItsStamp) applyLevelPatch(expected, stamp);
    EXPECT_EQ(saveSharedFileAnswered(answer), answer == CancelSave ? 1 : 0);
    EXPECT_EQ(f.shared(), expected) << answer;
    EXPECT_EQ(f.title()[0] == '*', answer == CancelSave) << f.title();
    if (answer != KeepItsStamp) continue;
    EXPECT_EQ(imageOf(currentLevel), expected) << "the level took the stamp too";
    undoEdit();
    EXPECT_EQ(f.title(), "*Varnelo 1 - Zero") << "as one step of its own";
  }
}

// Tests run as root, whom the system lets write anything: the mode decides.
TEST(SaveRefusals, ReadOnlyFilesAreRefusedByName) {
  FilesFixture f;
  SKIP_UNLESS_READY(f);
  const std::string own = f.d.dir.file(levelPathIn("", 0)), shared = f.d.dir.file("LEVEL___.DAT");
  ASSERT_EQ(chmod(shared.c_str(), 0444) | chmod(own.c_str(), 0444), 0);
  deleteFirstElement();
  saveKey(false);
  EXPECT_EQ(f.title(), "*Varnelo 1 - Zero (not saved: LEVEL___.DAT is read-only)");
  saveKey(true);
  EXPECT_EQ(f.title(), "*Varnelo 1 - Zero (not saved: LEVELS/LEVEL000.DAT is read-only)");
  EXPECT_EQ(readFileBytes(shared), fixture("Yesterday"));
  EXPECT_EQ(readFileBytes(own), fixture("Zero"));
  EXPECT_FALSE(fileExists(f.d.dir.file("LEVELS/LEVEL000.BAK")));
}

// An object dragged above the top edge: the save leaves it out, says so and
// keeps the mark. A level read with one outside stays clean while its own file
// as read holds it whole; rewritten without it, the file no longer does.
TEST(SaveLeftOut, ElementsOutsideTheLevelAreCountedAndTheMarkFollowsTheWholeCopy) {
  FilesFixture f;
  SKIP_UNLESS_READY(f);
  historyBegin();
  currentLevel.lastObject->y = -5;
  historyCommit(&currentHistory);
  testing::internal::CaptureStderr();
  saveKey(false);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "driver: LEVEL___.DAT saved without 1 element outside the level\n");
  EXPECT_EQ(f.title(), "*Varnelo 1 - Zero (saved without 1 element outside the level)");
  EXPECT_EQ(f.shared()[LevelObjectsOffset + LevelObjectRecordSize], 0xFF) << "one object record left";

  // The writer never stores one so far left: a third record written by hand.
  std::vector<uint8_t> outside = fixture("Outside");
  const uint8_t farLeft[LevelObjectRecordSize] = {0, 0, 0xC0, 0xFF, 40, 0, 0, 0, 0, 0};  // x -64 pixels
  std::memcpy(outside.data() + LevelObjectsOffset + 2 * LevelObjectRecordSize, farLeft, sizeof farLeft);
  writeFileBytes(f.d.dir.file(levelPathIn("", 1)), outside);
  switchLevel(+1);
  saveKey(false);
  EXPECT_EQ(f.title(), "Varnelo 2 - Outside (saved without 1 element outside the level)");
  saveKey(true);
  EXPECT_EQ(f.title(), "*Varnelo 2 - Outside (saved without 1 element outside the level)");
}

TEST(StartLevel, LevelsThatDoNotLoadAreNamedOnTheLevelReached) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoCopy d;
  SKIP_WITHOUT_GL(d.gl);
  const std::string damaged = "not a level file (no FORM or GSCM header)";
  writeFileBytes(d.dir.file(levelPathIn("", 0)), std::vector<uint8_t>(100, 'A'));
  writeFileBytes(d.dir.file(levelPathIn("", 2)), std::vector<uint8_t>(100, 'A'));
  int start = -1;
  LoadFailure first{};
  ASSERT_EQ(findStartLevel(&start, &first), 0);
  ASSERT_EQ(start, 1);
  editor.levelNumber = start;
  ASSERT_EQ(loadCurrentLevel(), 0);
  noteLevelsSkippedAtStart(start, first);
  const auto note = [&] { return std::string(d.window.title).substr(std::string(d.window.title).find(" (not") + 1); };
  EXPECT_EQ(note(), "(not loaded: level 0: " + damaged + ")");
  switchLevel(+1);
  EXPECT_EQ(note(), "(not loaded: level 2: " + damaged + ")");
  deleteFirstElement();
  EXPECT_EQ(std::string(d.window.title).find(" (not loaded"), std::string::npos) << "until the next edit";

  std::filesystem::remove_all(d.dir.file("LEVELS"));
  std::filesystem::create_directory(d.dir.file("LEVELS"));
  EXPECT_EQ(findStartLevel(&start, &first), 2) << "the folders are there, no level loads";
}
