#pragma once
// The real driver under a private X server, started on levels written in code
// with the project's writer beside the demo styles, and driven through XTEST.

#include <string>
#include <vector>

#include "data/level.h"
#include "data/style.h"
#include "support/files.h"
#include "support/level_fixtures.h"
#include "support/skips.h"
#include "support/xvfb_session.h"

// A demo style as the driver binds it.
struct BoundStyle {
  Style style{};
  bool ok = false;
  explicit BoundStyle(int index);
  ~BoundStyle();
  BoundStyle(const BoundStyle&) = delete;
  BoundStyle& operator=(const BoundStyle&) = delete;
};

struct DriverEditRun {
  XvfbSession x;
  TempDir dir;
  std::string window;
  WindowGeometry geometry;
  int originX = 0, originY = 0;  // client pixel of the first level's top-left at zoom 1

  // Writes the levels as LEVELS/LEVEL000.DAT, LEVEL001.DAT, ... and starts the
  // driver on the first; false if anything failed on the way.
  bool start(const std::vector<LevelDescription>& levels);

  // Starts the driver again on the files as the last run left them.
  bool restart();

  static void pause();  // lets the driver's loop take each input in turn
  void move(int cx, int cy);
  void press(int button);
  void release(int button);
  void key(const std::string& keys);
  // Presses S and returns LEVEL___.DAT once it has been written anew (empty
  // when it was not).
  std::vector<uint8_t> save();
  // Level 0 as the driver holds it right after loading.
  void loadExpected(Level* level, Style* style);
  std::string title() { return x.windowName(window); }
  // A band from the margin over the whole of a small edit level, then Delete.
  void deleteEverything();
};

// A 24 x 20 level of the style with three cells (one steel-like) and an
// object, which deleteEverything takes whole.
LevelDescription smallEditLevel(const char* name, int style = 1);
