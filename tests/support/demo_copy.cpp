#include "support/demo_copy.h"

#include <GL/gl.h>
#include <filesystem>

#include "app/level_load.h"
#include "render/textures.h"
#include "state/editor_state.h"
#include "support/paths.h"
#include "support/skips.h"

namespace fs = std::filesystem;

DemoCopy::DemoCopy() {
  const fs::path demo = testpaths::demoDir();
  if (!testpaths::demoDataPresent() || !gl.ok()) return;
  fs::copy(demo / "LEVELS", fs::path(dir.path) / "LEVELS", fs::copy_options::recursive);
  fs::copy(demo / "STYLES", fs::path(dir.path) / "STYLES", fs::copy_options::recursive);
  cwd = std::make_unique<InDir>(dir.path);
  resetEditorState();
  freeStyle(&currentStyle);
  clearLevelObjects(&currentLevel);
  editor.quadList = buildQuadList();
  window.width = 640;
  window.height = 480;
  editor.window = &window;
  ready = true;
}

DemoCopy::~DemoCopy() {
  if (!ready) return;
  freeCurrentLevel();
  glDeleteLists(editor.quadList, 1);
  resetEditorState();
}

void DemoCopy::remove(const std::string& relative) { fs::remove(dir.file(relative)); }
