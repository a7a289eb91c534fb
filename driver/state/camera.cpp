#include "state/camera.h"

#include <algorithm>

#include "platform/window.h"
#include "state/editor_state.h"
#include "state/panel_metrics.h"

int clientWidth() { return editor.window ? editor.window->width : 0; }
int clientHeight() { return editor.window ? editor.window->height : 0; }

void recentre() {
  editor.viewCentreX = clientWidth() / 2;
  editor.viewCentreY = clientHeight() / 2;
  // Keep the level's centre clear of the item bar along the bottom.
  editor.viewCentreY -= (editor.itemSize + 14) / 2;
  editor.originX = editor.viewCentreX - editor.cameraX * editor.zoom;
  editor.originY = editor.viewCentreY - editor.cameraY * editor.zoom;
}

int columnToClientX(int column) { return editor.originX + column * LevelPixelsPerBlock * editor.zoom; }
int rowToClientY(int row) { return editor.originY + row * LevelPixelsPerRow * editor.zoom; }

static int floorDivide(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

void blockAtClientPoint(int x, int y, int* column, int* row) {
  *column = floorDivide(x - editor.originX, LevelPixelsPerBlock * editor.zoom);
  *row = floorDivide(y - editor.originY, LevelPixelsPerRow * editor.zoom);
}

int blockUnderPointer(int* column, int* row) {
  blockAtClientPoint(editor.mouseX, editor.mouseY, column, row);
  if (panelContains(&editor.panels[0], editor.mouseX, editor.mouseY)) return 0;
  return *column >= 0 && *column < currentLevel.width && *row >= 0 && *row < currentLevel.height;
}

void zoomIn() {
  if (editor.zoom < MaxZoom) editor.zoom += 1;
}

void zoomOut() {
  if (editor.zoom > MinZoom) editor.zoom -= 1;
}

void clampCameraToLevel() {
  editor.cameraX = std::clamp(editor.cameraX, 0, std::max(0, currentLevel.width * LevelPixelsPerBlock));
  editor.cameraY = std::clamp(editor.cameraY, 0, std::max(0, currentLevel.height * LevelPixelsPerRow));
}

void centreCameraOnLevel() {
  editor.cameraX = currentLevel.width * LevelPixelsPerBlock / 2;  // the level's centre
  editor.cameraY = currentLevel.height * LevelPixelsPerRow / 2;
}
