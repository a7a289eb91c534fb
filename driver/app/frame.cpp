// One frame: a pixel projection over the client area, the scene, the swap.
#include <GL/gl.h>

#include "state/editor_state.h"
#include "app/main_loop.h"
#include "platform/window.h"
#include "render/scene.h"
#include "render/status_line.h"

void renderFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  int width = editor.window->width;
  int height = editor.window->height;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // One unit per client pixel, origin top-left, y down. An empty client area
  // (minimised) keeps the identity: glOrtho refuses a zero-sized volume.
  if (width > 0 && height > 0) glOrtho(0, width, height, 0, 1, -1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  drawScene();
  drawStatusLine();  // over the scene, outside it: the scene's picture stays the same without it
  glContextSwap(editor.glContext);
}
