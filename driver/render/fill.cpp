#include "render/fill.h"

#include <GL/gl.h>

void fillRect(int x0, int y0, int x1, int y1) {
  glBegin(GL_TRIANGLE_STRIP);
  glVertex2i(x0, y0);
  glVertex2i(x0, y1);
  glVertex2i(x1, y0);
  glVertex2i(x1, y1);
  glEnd();
}
