// The real driver with a pack of levels: S of another level takes the only
// copy of an edit away and the mark comes back; Ctrl+S puts the edit into the
// level's own file, keeping its first bytes as .BAK; the next run loads it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/level.h"
#include "support/driver_edit_run.h"
#include "support/paths.h"

namespace {

bool titled(DriverEditRun& run, const std::string& title) { return run.x.waitForWindowName(run.window, title, 10000); }

// Whether the file's object records are all empty, as the deletion left them.
bool noObjects(const std::vector<uint8_t>& file) {
  return file.size() == LevelFileSize && std::all_of(file.begin() + LevelObjectsOffset, file.end(),
                                                     [](uint8_t b) { return b == 0xFF; });
}

}  // namespace

TEST(DriverFiles, AnEditSavedOverByAnotherLevelIsMarkedAndCtrlSKeepsItInItsOwnFile) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallEditLevel("First"), smallEditLevel("Second"), smallEditLevel("Third")}))
      << run.x.error() << run.x.programOutput();
  const std::string own = run.dir.file("LEVELS/LEVEL001.DAT"), backup = run.dir.file("LEVELS/LEVEL001.BAK");
  const std::vector<uint8_t> original = readFileBytes(own);

  run.key("Right");
  ASSERT_TRUE(titled(run, "Varnelo 2 - Second")) << run.title();
  run.deleteEverything();
  ASSERT_TRUE(titled(run, "*Varnelo 2 - Second")) << run.title();
  EXPECT_TRUE(noObjects(run.save()));
  EXPECT_TRUE(titled(run, "Varnelo 2 - Second")) << run.title();
  run.key("Right");
  EXPECT_FALSE(run.save().empty());
  run.key("Left");
  EXPECT_TRUE(titled(run, "*Varnelo 2 - Second")) << "LEVEL___.DAT holds level 3 now: " << run.title();

  run.key("ctrl+s");
  ASSERT_TRUE(titled(run, "Varnelo 2 - Second")) << run.title();  // the title follows the write
  EXPECT_EQ(readFileBytes(backup), original);
  EXPECT_TRUE(noObjects(readFileBytes(own)));
  run.key("ctrl+s");  // a second save in the same run leaves the backup alone
  EXPECT_EQ(readFileBytes(backup), original);

  ASSERT_TRUE(run.x.closeWindow(run.window));  // nothing unsaved: no question
  const ProgramStatus status = run.x.waitProgramExit(10000);
  EXPECT_TRUE(status.exited && status.exitCode == 0) << run.x.programOutput();

  ASSERT_TRUE(run.restart()) << run.x.error();
  run.key("Right");
  EXPECT_TRUE(titled(run, "Varnelo 2 - Second")) << run.title();
  EXPECT_TRUE(noObjects(run.save())) << "the next run reads the edit from the level's own file";
}
