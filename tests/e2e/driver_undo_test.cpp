// The real driver keeping the user's work: a deletion undone and redone, kept
// with its mark across a level switch, the saved file opened again, and the
// question before closing with unsaved edits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/level.h"
#include "data/level_writer.h"
#include "support/driver_edit_run.h"
#include "support/paths.h"

namespace {

bool titled(DriverEditRun& run, const std::string& title) { return run.x.waitForWindowName(run.window, title, 10000); }

}  // namespace

TEST(DriverUndo, DeletionUndoneSavesTheLevelAsLoadedAndRedoneSurvivesASwitch) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallEditLevel("Undo me"), smallEditLevel("Next door")}))
      << run.x.error() << run.x.programOutput();
  BoundStyle bound(1);
  Level loaded;
  run.loadExpected(&loaded, &bound.style);
  std::vector<uint8_t> asLoaded(LevelFileSize);
  ASSERT_EQ(buildLevelImage(loaded, asLoaded.data()), 0);

  run.deleteEverything();
  EXPECT_TRUE(titled(run, "*Varnelo 1 - Undo me")) << run.title();
  run.key("ctrl+z");
  EXPECT_EQ(run.save(), asLoaded);
  EXPECT_TRUE(titled(run, "Varnelo 1 - Undo me")) << run.title();
  run.key("Right");  // saved, yet with a step to redo: kept, not read again
  run.key("Left");

  run.key("ctrl+y");
  EXPECT_TRUE(titled(run, "*Varnelo 1 - Undo me")) << run.title();
  run.key("Right");
  EXPECT_TRUE(titled(run, "Varnelo 2 - Next door")) << run.title();
  run.key("Left");
  EXPECT_TRUE(titled(run, "*Varnelo 1 - Undo me")) << "the deletion and its mark are kept: " << run.title();
  const std::vector<uint8_t> saved = run.save();
  ASSERT_EQ(saved.size(), LevelFileSize);
  EXPECT_EQ(std::vector<uint8_t>(saved.begin() + LevelObjectsOffset, saved.end()),
            std::vector<uint8_t>(LevelObjectsLength, 0xFF))
      << "still no objects";
}

TEST(DriverUndo, ReopenedFileOfAnotherStyleIsSavedBackUnchanged) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallEditLevel("Loaded")})) << run.x.error() << run.x.programOutput();
  const std::vector<uint8_t> file = makeLevelImage(smallEditLevel("Saved yesterday", 2));
  writeFileBytes(run.dir.file("LEVEL___.DAT"), file);

  run.key("ctrl+o");
  EXPECT_TRUE(titled(run, "Tessily 1 - Saved yesterday")) << "named by its style: " << run.title()
                                                          << run.x.programOutput();
  EXPECT_EQ(run.save(), file);
}

TEST(DriverUndo, ClosingWithEditsAsksAndCancelKeepsTheWindow) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallEditLevel("Unsaved")})) << run.x.error() << run.x.programOutput();
  run.deleteEverything();
  ASSERT_TRUE(titled(run, "*Varnelo 1 - Unsaved")) << run.title();

  ASSERT_TRUE(run.x.closeWindow(run.window));
  const std::string box = run.x.waitForTopLevelWindow("Unsaved edits", 15000);
  ASSERT_FALSE(box.empty()) << run.x.programOutput();
  ASSERT_TRUE(run.x.key(box, "Escape"));  // Cancel
  DriverEditRun::pause();
  EXPECT_TRUE(run.x.programRunning());
  EXPECT_EQ(run.title(), "*Varnelo 1 - Unsaved");

  const ProgramStatus status = run.x.stopProgram(10000);  // a termination signal never asks
  EXPECT_TRUE(status.exited && status.exitCode == 0) << "signal " << status.signal << ": " << run.x.programOutput();
}
