#include "support/driver_edit_run.h"

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

#include "data/bind.h"
#include "data/level_source.h"
#include "support/paths.h"

namespace fs = std::filesystem;

BoundStyle::BoundStyle(int index) {
  ok = loadStyleFile(index, stylePathIn(testpaths::demoDir(), index).c_str(), &style) == 0;
}

BoundStyle::~BoundStyle() { freeStyle(&style); }

bool DriverEditRun::start(const std::vector<LevelDescription>& levels) {
  if (!x.ok() || levels.empty()) return false;
  fs::create_directory_symlink(fs::path(testpaths::demoDir()) / "STYLES", fs::path(dir.path) / "STYLES");
  fs::create_directory(fs::path(dir.path) / "LEVELS");
  for (size_t n = 0; n < levels.size(); ++n) {
    const std::vector<uint8_t> image = makeLevelImage(levels[n]);
    if (image.empty()) return false;
    writeFileBytes(levelPathIn(dir.path, static_cast<int>(n)), image);
  }
  if (!restart()) return false;
  // A freshly loaded level is centred at zoom 1 above the 92-pixel item bar.
  originX = geometry.width / 2 - levels[0].width * 8;
  originY = geometry.height / 2 - 39 - levels[0].height * 4;
  return true;
}

bool DriverEditRun::restart() {
  if (!x.startProgram(std::string(testpaths::binaryDir()) + "/driver/driver", dir.path, {})) return false;
  window = x.waitForProgramWindow(15000);
  if (window.empty()) return false;
  geometry = x.windowGeometry(window);
  if (!geometry.valid) return false;
  pause();
  return true;
}

void DriverEditRun::pause() { std::this_thread::sleep_for(std::chrono::milliseconds(60)); }

void DriverEditRun::move(int cx, int cy) {
  x.mouseMove(window, cx, cy);
  pause();
}

void DriverEditRun::press(int button) {
  x.mouseDown(button);
  pause();
}

void DriverEditRun::release(int button) {
  x.mouseUp(button);
  pause();
}

void DriverEditRun::key(const std::string& keys) {
  x.key(window, keys);
  pause();
}

// The save replaces the file by renaming a new one over it: a new inode.
static ino_t inodeOf(const std::string& path) {
  struct stat s {};
  return stat(path.c_str(), &s) == 0 ? s.st_ino : 0;
}

std::vector<uint8_t> DriverEditRun::save() {
  const std::string path = dir.file("LEVEL___.DAT");
  const ino_t before = inodeOf(path);
  x.key(window, "s");
  for (int i = 0; i < 200; ++i) {
    const ino_t now = inodeOf(path);
    if (now != 0 && now != before) return readFileBytes(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return {};
}

void DriverEditRun::loadExpected(Level* level, Style* style) {
  loadLevel(levelPathIn(dir.path, 0).c_str(), level);
  bindLevelToStyle(style, level);
}

void DriverEditRun::deleteEverything() {
  move(originX - 40, originY - 20);
  press(1);
  move(originX + 24 * 16 + 40, originY + 20 * 8 + 30);
  release(1);
  key("Delete");
}

LevelDescription smallEditLevel(const char* name, int style) {
  LevelDescription d;
  d.name = name;
  d.style = style;
  d.width = 24;
  d.height = 20;
  d.cells = {{0, 0, 1}, {5, 10, 2, 0x4000}, {23, 19, 3}};
  d.objects = {{0, 8, 8}};
  return d;
}
