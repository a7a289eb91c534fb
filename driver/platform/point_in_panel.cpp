#include "platform/timer.h"
#include "render/panel.h"

int pointInPanel(const Panel* panel, int x, int y) {
  return x >= 0 && x <= panel->width && y >= 0 && y <= panel->height ? 1 : 0;
}
