// Ctrl+O with a file that cannot be opened: nothing changes, and the user is
// told why on standard error and in the title until the next edit.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/level_commands.h"
#include "edit/keys.h"
#include "platform/virtual_keys.h"
#include "state/kept_levels.h"
#include "state/level_history.h"
#include "state/level_title.h"
#include "support/edit_fixture.h"
#include "support/files.h"

TEST(Reopen, AMissingOrBrokenFileChangesNothingAndSaysWhy) {
  EditFixture fx;
  fx.setUp(30, 30);
  fx.addCell(2, 2)->state = Selected;
  TempDir dir;
  InDir cwd(dir.path);
  showCurrentTitle();
  const std::string plain = fx.window.title;

  std::vector<uint8_t> shortForm = {'F', 'O', 'R', 'M'};
  shortForm.resize(LevelFileSize - 1);
  const std::pair<std::vector<uint8_t>, std::string> cases[] = {
      {{}, "file not found"},  // no file at all
      {std::vector<uint8_t>(100, 'A'), "not a level file (no FORM or GSCM header)"},
      {shortForm, "not a level file (wrong length)"},
  };
  for (const auto& [file, reason] : cases) {
    if (!file.empty()) writeFileBytes(dir.file("LEVEL___.DAT"), file);
    testing::internal::CaptureStderr();
    reopenSavedLevel();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "driver: LEVEL___.DAT not opened: " + reason + "\n");
    EXPECT_EQ(std::string(fx.window.title), plain + " (not opened: " + reason + ")");
    EXPECT_EQ(currentLevel.objectCount, 1u);
    EXPECT_EQ(elementAt(0)->state, Selected);
    EXPECT_TRUE(currentHistory.steps.empty());
  }

  onKeyDown(Vk3);  // the next edit takes the note away and brings the mark
  EXPECT_EQ(std::string(fx.window.title), "*" + plain);
}
