// Ctrl+O with a file that cannot be opened: nothing changes, and the user is
// told why on standard error and in the title until the next edit.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/level_commands.h"
#include "data/level_writer.h"
#include "edit/keys.h"
#include "platform/virtual_keys.h"
#include "state/level_history.h"
#include "state/level_title.h"
#include "support/edit_fixture.h"
#include "support/files.h"

namespace {

std::vector<uint8_t> imageNow() {
  std::vector<uint8_t> image(LevelFileSize);
  buildLevelImage(currentLevel, image.data());
  return image;
}

}  // namespace

TEST(Reopen, AMissingOrBrokenFileChangesNothingAndSaysWhy) {
  EditFixture fx;
  fx.setUp(30, 30);
  fx.addCell(2, 2)->state = Selected;
  TempDir dir;
  InDir cwd(dir.path);
  showCurrentTitle();
  const std::string plain = fx.window.title;
  const std::vector<uint8_t> before = imageNow();

  struct Case {
    const char* what;
    std::vector<uint8_t> file;  // empty: no file at all
    std::string reason;
  };
  std::vector<uint8_t> shortForm = {'F', 'O', 'R', 'M'};
  shortForm.resize(LevelFileSize - 1);
  const Case cases[] = {
      {"missing", {}, "file not found"},
      {"not a level", std::vector<uint8_t>(100, 0x41), "not a level file (no FORM or GSCM header)"},
      {"one byte short", shortForm, "not a level file (wrong length)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.file.empty()) writeFileBytes(dir.file("LEVEL___.DAT"), c.file);
    testing::internal::CaptureStderr();
    reopenSavedLevel();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("driver: LEVEL___.DAT not opened: " + c.reason, 0), 0u) << err;
    const std::string title = fx.window.title;
    EXPECT_EQ(title.rfind(plain + " (not opened: " + c.reason, 0), 0u) << title;
    EXPECT_EQ(title.back(), ')');
    EXPECT_EQ(imageNow(), before);
    EXPECT_EQ(currentHistory.steps.size(), 0u);
  }

  onKeyDown(Vk3);  // the next edit takes the note away and brings the mark
  EXPECT_EQ(std::string(fx.window.title), "*" + plain);
}
