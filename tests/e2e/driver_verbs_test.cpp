// The real driver under a private X server: a band copied through the system
// clipboard, pasted into the next level under the pointer and saved; the
// wheel over the item bar, after which clicks on the level place nothing.
#include <gtest/gtest.h>

#include "support/driver_edit_run.h"

TEST(DriverVerbs, BandPastedIntoAnEmptyLevelAtTheSameBlockSavesTheSameLevel) {
  SKIP_WITHOUT_DEMO_DATA();
  LevelDescription from;
  from.style = 1;
  from.cells = {{2, 2, 1}, {3, 2, 2}, {2, 3, 3, 0x4000}, {9, 10, 4}};
  from.objects = {{0, 6, 7}};
  LevelDescription to = from;
  to.cells.clear();
  to.objects.clear();
  DriverEditRun run;
  ASSERT_TRUE(run.start({from, to})) << run.x.error() << run.x.programOutput();

  run.move(run.originX + 1 * 16 + 2, run.originY + 1 * 8 + 2);
  run.press(1);
  run.move(run.originX + 12 * 16, run.originY + 13 * 8);
  run.release(1);
  run.key("ctrl+c");
  run.key("Right");
  ASSERT_TRUE(run.x.waitForWindowName(run.window, "Varnelo 2 - Fixture level", 10000)) << run.title();
  run.move(run.originX + 2 * 16 + 5, run.originY + 2 * 8 + 5);  // the band's top-left, the cell at (2, 2)
  run.key("ctrl+v");
  run.move(100, run.geometry.height - 50);  // over the item bar's cells
  run.x.click(5);
  for (int x : {14, 16}) {  // held by the wheel, the bar would pick its item at the first click
    run.move(run.originX + x * 16, run.originY + 16 * 8);
    run.x.click(1);
  }
  EXPECT_EQ(run.save(), makeLevelImage(from)) << run.x.programOutput();
}
