#include "state/camera.h"

#include "platform/window.h"
#include "state/editor_state.h"

int clientWidth() { return editor.window ? editor.window->width : 0; }
int clientHeight() { return editor.window ? editor.window->height : 0; }

void recentre() {
  editor.viewCentreX = clientWidth() / 2;
  editor.viewCentreY = clientHeight() / 2;
  // Keep the level's centre clear of the item bar.
  const int d = (editor.itemSize + 14) / 2;
  switch (editor.barSide) {
    case 0: editor.viewCentreY += d; break;
    case 1: editor.viewCentreX += d; break;
    case 2: editor.viewCentreX -= d; break;
    case 3: editor.viewCentreY -= d; break;
    default: break;
  }
  editor.originX = editor.viewCentreX - editor.cameraX * editor.zoom;
  editor.originY = editor.viewCentreY - editor.cameraY * editor.zoom;
}
