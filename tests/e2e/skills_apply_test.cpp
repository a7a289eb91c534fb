// The real skills program under a private X server: values typed into the
// form and Apply clicked with the pointer patch the LEVEL___.DAT beside the
// executable, and the project's level reader sees the new header values with
// terrain and objects untouched. The file comes from the level writer, or
// from the driver's S key when the demo data is there.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "data/level.h"
#include "support/files.h"
#include "support/level_fixtures.h"
#include "support/paths.h"
#include "support/skips.h"
#include "support/xvfb_session.h"

namespace fs = std::filesystem;

namespace {

std::string skillsPath() { return std::string(testpaths::binaryDir()) + "/skills/skills"; }
std::string driverPath() { return std::string(testpaths::binaryDir()) + "/driver/driver"; }

// Client-area centres of the controls Apply reads (frame origin + control).
struct Point {
  int x, y;
};
constexpr Point NameBox{8 + 40 + 72, 8 + 16 + 9};
constexpr Point SecondsBox{8 + 56 + 12, 8 + 40 + 9};
constexpr Point ReleaseBox{8 + 144 + 20, 8 + 40 + 9};
constexpr Point SlotTwoCheck{8 + 8 + 6, 80 + 64 + 8};
constexpr Point SlotTwoQuantity{8 + 160 + 12, 80 + 64 + 10};
constexpr Point ApplyButton{144 + 28, 304 + 12};
constexpr int NoticeLeft = 73, NoticeTop = 336, NoticeWidth = 128, NoticeHeight = 25;

LevelDescription sampleLevel() {
  LevelDescription d;
  d.name = "Sample level for skills";
  d.width = 30;
  d.height = 24;
  d.cells = {{0, 0, 5}, {1, 0, 6, 0x4000}, {29, 23, 9}, {12, 7, 300}};
  d.objects = {{3, 4, 5, 1, 2}, {7, 10, 20}};
  return d;
}

struct ElementSummary {
  uint32_t kind, value, paramA, paramB;
  int32_t x, y;
  bool operator==(const ElementSummary&) const = default;
};

std::vector<ElementSummary> elementsOf(const Level& level) {
  std::vector<ElementSummary> out;
  for (const LevelObject* e : levelElements(level))
    out.push_back({e->kind, e->value, e->paramA, e->paramB, e->x, e->y});
  return out;
}

bool clickAt(XvfbSession& x, const std::string& window, Point p) {
  return x.mouseMove(window, p.x, p.y) && x.click(1);
}

// Clicks into a box, selects what it holds and types text over it.
bool typeInto(XvfbSession& x, const std::string& window, Point p, const std::string& text) {
  return clickAt(x, window, p) && x.key(window, "ctrl+a") &&
         x.xdotool({"type", "--delay", "20", "--", text});
}

// Screenshots stay in the build tree for a look after a failure.
std::string artefact(const std::string& name) {
  const std::string dir = std::string(testpaths::binaryDir()) + "/test-artifacts/skills_apply";
  fs::create_directories(dir);
  return dir + "/" + name;
}

std::vector<uint8_t> waitForChange(const std::string& path, const std::vector<uint8_t>& before) {
  std::vector<uint8_t> now = readFileBytes(path);
  for (int i = 0; i < 100 && now == before; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    now = readFileBytes(path);
  }
  return now;
}

// The driver, started in dir over the demo data, saves level 0 there with its
// S key. It runs in its own X server, so a running skills keeps its own.
bool saveWithTheDriver(const std::string& demo, const TempDir& dir, std::string* why) {
  for (const char* sub : {"LEVELS", "STYLES"})
    fs::create_directory_symlink(fs::path(demo) / sub, fs::path(dir.path) / sub);
  XvfbSession x;
  if (!x.ok() || !x.startProgram(driverPath(), dir.path, {})) {
    *why = x.error();
    return false;
  }
  const std::string window = x.waitForProgramWindow(15000);
  if (window.empty() || !x.key(window, "s")) {
    *why = "no driver window: " + x.programOutput();
    return false;
  }
  const std::string path = dir.file("LEVEL___.DAT");
  for (int i = 0; i < 100 && readFileBytes(path).size() != LevelFileSize; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  x.stopProgram(5000);
  *why = "the driver saved nothing";
  return readFileBytes(path).size() == LevelFileSize;
}

// skills beside LEVEL___.DAT in a fresh directory, its window found.
struct SkillsRun {
  XvfbSession x;
  TempDir dir;
  std::string window;

  bool start() {
    unsetenv("QT_QPA_PLATFORM");  // the child must use the X server, not the offscreen tests' setting
    if (!x.ok()) return false;
    fs::copy_file(skillsPath(), dir.file("skills"));
    if (!x.startProgram(dir.file("skills"), dir.path, {})) return false;
    window = x.waitForWindow(windowNamePattern("Talveny"), 15000);
    return !window.empty();
  }

  // The notice line's pixels; the window sits at its own place on the screen.
  std::vector<unsigned char> noticePixels() {
    const WindowGeometry g = x.windowGeometry(window);
    if (!g.valid) return {};
    return x.screenRgb(g.x + NoticeLeft, g.y + NoticeTop, NoticeWidth, NoticeHeight);
  }

  std::vector<std::string> windowsNamedTalveny() {
    std::string out;
    x.xdotool({"search", "--name", windowNamePattern("Talveny")}, &out);
    std::vector<std::string> ids;
    std::istringstream lines(out);
    for (std::string id; lines >> id;) ids.push_back(id);
    return ids;
  }
};

// Types values into every field Apply reads, clicks Apply and checks the
// file through the level reader against the level it held before.
void applyAndCheck(SkillsRun& run, const std::vector<uint8_t>& original) {
  const std::string path = run.dir.file("LEVEL___.DAT");
  Level before;
  ASSERT_EQ(parseLevel(original.data(), original.size(), &before), 0);

  ASSERT_TRUE(typeInto(run.x, run.window, NameBox, "Patched Level"));
  ASSERT_TRUE(typeInto(run.x, run.window, SecondsBox, "75"));
  ASSERT_TRUE(typeInto(run.x, run.window, ReleaseBox, "-40000"));
  ASSERT_TRUE(clickAt(run.x, run.window, SlotTwoCheck));
  ASSERT_TRUE(typeInto(run.x, run.window, SlotTwoQuantity, "7"));
  // The last entry of slot 2's list (Wood Carver, code 0x0A), picked with the
  // keyboard so no popup can swallow the next click: from the quantity box,
  // Tab passes the enabled lists of slots 0 and 2, and End selects the last.
  ASSERT_TRUE(run.x.key(run.window, "Tab Tab End"));
  ASSERT_TRUE(clickAt(run.x, run.window, ApplyButton));

  const std::vector<uint8_t> patched = waitForChange(path, original);
  ASSERT_EQ(patched.size(), LevelFileSize);
  run.x.screenshot(artefact("after-apply.png"));

  Level after;
  ASSERT_EQ(parseLevel(patched.data(), patched.size(), &after), 0);
  EXPECT_EQ(std::string(after.name, 20), "Patched Level       ");
  EXPECT_EQ(std::string(after.name + 20, 4), std::string(before.name + 20, 4));
  EXPECT_EQ(after.timeMinutes, 9);
  EXPECT_EQ(after.timeSeconds, 59);
  EXPECT_EQ(after.releaseRate, -32768);
  EXPECT_GE(after.skillCode[0], 0x01);
  EXPECT_LE(after.skillCode[0], 0x33);
  EXPECT_EQ(after.skillCount[0], 1);
  EXPECT_EQ(after.skillCode[2], 0x0A);
  EXPECT_EQ(after.skillCount[2], 7);
  for (int i : {1, 3, 4, 5, 6, 7}) {
    EXPECT_EQ(after.skillCode[i], 0) << "slot " << i;
    EXPECT_EQ(after.skillCount[i], 0) << "slot " << i;
  }
  EXPECT_EQ(after.width, before.width);
  EXPECT_EQ(after.height, before.height);
  EXPECT_EQ(after.style, before.style);
  EXPECT_EQ(elementsOf(after), elementsOf(before));
  EXPECT_TRUE(std::equal(patched.begin() + 90, patched.end(), original.begin() + 90));

  // Closing the window ends the program at once, without a prompt.
  ASSERT_TRUE(run.x.closeWindow(run.window));
  const ProgramStatus status = run.x.waitProgramExit(5000);
  EXPECT_TRUE(status.exited && status.exitCode == 0) << run.x.programOutput();
}

}  // namespace

TEST(SkillsApply, PatchesALevelFileFromTheWriter) {
  SkillsRun run;
  const std::vector<uint8_t> original = makeLevelImage(sampleLevel());
  ASSERT_EQ(original.size(), LevelFileSize);
  writeFileBytes(run.dir.file("LEVEL___.DAT"), original);
  ASSERT_TRUE(run.start()) << run.x.error() << run.x.programOutput();
  applyAndCheck(run, original);
}

TEST(SkillsApply, PatchesTheFileTheDriverSaved) {
  const std::string demo = testpaths::demoDir();
  SKIP_WITHOUT_DEMO_DATA();
  ASSERT_TRUE(fileExists(driverPath())) << "build the driver target first";
  SkillsRun run;
  std::string why;
  ASSERT_TRUE(saveWithTheDriver(demo, run.dir, &why)) << why;
  ASSERT_TRUE(run.start()) << run.x.error() << run.x.programOutput();
  applyAndCheck(run, readFileBytes(run.dir.file("LEVEL___.DAT")));
}

TEST(SkillsApply, MissingFileShowsTheMessageAndWritesNothing) {
  SkillsRun run;
  ASSERT_TRUE(run.start()) << run.x.error() << run.x.programOutput();
  ASSERT_TRUE(clickAt(run.x, run.window, ApplyButton));
  std::vector<std::string> windows = run.windowsNamedTalveny();
  for (int i = 0; i < 100 && windows.size() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    windows = run.windowsNamedTalveny();
  }
  EXPECT_EQ(windows.size(), 2u);  // the form and its message box
  run.x.screenshot(artefact("message.png"));
  EXPECT_FALSE(fileExists(run.dir.file("LEVEL___.DAT")));
}

// The notice is seen on the screen (its line's pixels change from the empty
// label's) and what Read put in the name box through the file Apply writes
// from it: the saved name, not the form's default.
TEST(SkillsApply, NoticesTheDriversSaveAndReadsItsName) {
  const std::string demo = testpaths::demoDir();
  SKIP_WITHOUT_DEMO_DATA();
  ASSERT_TRUE(fileExists(driverPath())) << "build the driver target first";
  SkillsRun run;
  ASSERT_TRUE(run.start()) << run.x.error() << run.x.programOutput();
  const std::vector<unsigned char> emptyNotice = run.noticePixels();
  ASSERT_FALSE(emptyNotice.empty()) << run.x.error();

  std::string why;
  ASSERT_TRUE(saveWithTheDriver(demo, run.dir, &why)) << why;
  std::vector<unsigned char> notice = run.noticePixels();
  for (int i = 0; i < 100 && notice == emptyNotice; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    notice = run.noticePixels();
  }
  run.x.screenshot(artefact("notice.png"));
  EXPECT_NE(notice, emptyNotice) << "no notice after the driver saved";

  const std::string path = run.dir.file("LEVEL___.DAT");
  const std::vector<uint8_t> saved = readFileBytes(path);
  ASSERT_TRUE(run.x.key(run.window, "F5"));
  ASSERT_TRUE(clickAt(run.x, run.window, ApplyButton));
  const std::vector<uint8_t> applied = waitForChange(path, saved);
  ASSERT_EQ(applied.size(), LevelFileSize);
  const auto stampedName = [](const std::vector<uint8_t>& file) {
    return std::string(file.begin() + LevelNameOffset, file.begin() + LevelNameOffset + LevelNameStampSize);
  };
  std::string savedName = stampedName(saved);
  savedName = savedName.substr(0, savedName.find('\0'));
  savedName.resize(LevelNameStampSize, ' ');  // Apply pads with blanks
  EXPECT_EQ(stampedName(applied), savedName);
  EXPECT_NE(savedName.substr(0, 9), "New Level");
}
