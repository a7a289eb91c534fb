#pragma once
// A writable copy of the demo data as the current directory, a headless GL
// context for the textures that loads build, and a window record for the
// title (no system window behind it); the editor starts from its reset state.

#include <memory>
#include <string>

#include "platform/window.h"
#include "headless/headless_gl.h"
#include "support/skips.h"
#include "support/files.h"

struct DemoCopy {
  TempDir dir;
  std::unique_ptr<InDir> cwd;  // entered once the copy is made; left before dir goes
  HeadlessGl gl{64, 64};
  AppWindow window{};
  bool ready = false;  // the demo data was there and gl works (see SKIP_WITHOUT_DEMO_DATA, SKIP_WITHOUT_GL)

  DemoCopy();
  ~DemoCopy();  // frees the level loaded; the previous directory comes back with cwd
  DemoCopy(const DemoCopy&) = delete;
  DemoCopy& operator=(const DemoCopy&) = delete;
  void remove(const std::string& relative);
};
