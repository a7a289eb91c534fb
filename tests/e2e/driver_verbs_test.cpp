// The everyday verbs in the real driver under a private X server: a band
// selection copied through the system clipboard, pasted into the next level
// under the pointer and saved; then the wheel over the item bar, after which
// clicks on the level place nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "data/bind.h"
#include "data/level_writer.h"
#include "support/driver_edit_run.h"
#include "support/paths.h"

TEST(DriverVerbs, BandCopiedIntoTheNextLevelIsSavedUnderThePointerAndTheWheelPicksNothing) {
  SKIP_WITHOUT_DEMO_STYLES();
  BoundStyle bound(1);
  ASSERT_TRUE(bound.ok);
  LevelDescription from, to;
  from.style = to.style = 1;
  from.cells = {{2, 2, 1}, {3, 2, 2}, {2, 3, 3, 0x4000}, {15, 15, 4}};
  from.objects = {{0, 4, 5}};
  to.name = "Pasted into";
  to.cells = {{0, 0, 5}};
  DriverEditRun run;
  ASSERT_TRUE(run.start({from, to})) << run.x.error() << run.x.programOutput();

  run.move(run.originX + 1 * 16 + 2, run.originY + 1 * 8 + 2);  // band over all but the cell at (15, 15)
  run.press(1);
  run.move(run.originX + 9 * 16, run.originY + 10 * 8);
  run.release(1);
  run.key("ctrl+c");
  run.key("Right");
  ASSERT_TRUE(run.x.waitForWindowName(run.window, "Varnelo 2 - Pasted into", 10000)) << run.title();
  run.move(run.originX + 10 * 16 + 5, run.originY + 6 * 8 + 5);
  run.key("ctrl+v");
  run.move(100, run.geometry.height - 50);  // over the item bar's cells
  run.x.click(5);
  for (int dx : {0, 40}) {
    run.move(run.originX + 12 * 16 + dx, run.originY + 16 * 8);
    run.x.click(1);
    DriverEditRun::pause();
  }
  const std::vector<uint8_t> saved = run.save();
  ASSERT_EQ(saved.size(), LevelFileSize) << run.x.programOutput();

  // Level 1 as loaded, plus level 0's banded elements with their top-left at (10, 6).
  Level source, expected;
  ASSERT_EQ(loadLevel(run.dir.file("LEVELS/LEVEL000.DAT").c_str(), &source), 0);
  ASSERT_EQ(loadLevel(run.dir.file("LEVELS/LEVEL001.DAT").c_str(), &expected), 0);
  bindLevelToStyle(&bound.style, &source);
  bindLevelToStyle(&bound.style, &expected);
  std::vector<LevelObject> banded;
  forEachElement(source, [&](const LevelObject& e) {
    if (e.x < 15) banded.push_back(e);
  });
  int left = INT_MAX, top = INT_MAX;
  for (const LevelObject& e : banded) left = std::min(left, e.x), top = std::min(top, e.y);
  for (const LevelObject& e : banded) {
    LevelObject* d = addObject(e.kind, e.value, e.x - left + 10, e.y - top + 6, e.paramA, e.paramB, &expected);
    d->flags = e.flags;
    d->shiftX = e.shiftX;
    d->shiftY = e.shiftY;
  }
  std::vector<uint8_t> image(LevelFileSize);
  ASSERT_EQ(buildLevelImage(expected, image.data()), 0);
  EXPECT_EQ(saved, image);
  EXPECT_EQ(banded.size(), 4u);
}
