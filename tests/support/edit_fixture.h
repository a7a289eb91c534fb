#pragma once
// An editor over a level and style built in code, for driving the editing
// operations, mouse handlers and overlays without files or a window.
//
// The style has pieces 0 (1x1), 1 (3x1), 2 (2x2) and object definitions
// 0 (kind 5, 1x1), 1 (kind 3, 1x2, shiftX 1), 2 (kind 7, 2x2), 3 (kind 4, 2x1,
// shiftX 2). The view is set as recentre would leave it for a 640x480 client
// with the bar at the bottom, so a release (which re-centres) moves nothing.

#include "state/editor_state.h"
#include "platform/window.h"

struct EditFixture {
  AppWindow window{};

  // Fresh editor, style and a width x height level of the given style index,
  // camera on the level's centre, zoom 1, Idle.
  void setUp(int width, int height, int styleIndex = 1);
  void setZoom(int zoom);        // keeps the camera, recomputes the origin
  void recomputeOrigin();        // origin from camera, zoom and client size

  LevelObject* addCell(int x, int y, uint32_t block = 1);
  LevelObject* addPiece(int piece, int x, int y);
  LevelObject* addObjectOfDef(int def, int x, int y);

  // Client pixel of the top-left corner of block (bx, row by).
  int clientX(int bx) const;
  int clientY(int by) const;
};

// Element of the list at position index (0 = firstObject), or none.
LevelObject* elementAt(int index);
