#pragma once
// Camera arithmetic: where the level's pixels land in the client area. A
// block is LevelPixelsPerBlock level pixels across, a row LevelPixelsPerRow
// down (levelfile/layout.h).

#include "levelfile/layout.h"

int clientWidth();   // the window's client width, 0 before a window exists
int clientHeight();  // the window's client height, 0 before a window exists

// View centre from the client size and the item bar; origin from the camera.
void recentre();

// The client pixel where block column `column` (row `row`) starts, at the
// current zoom and origin; a pan under way is not included.
int columnToClientX(int column);
int rowToClientY(int row);

// The block column and row under client point (x, y), rounded down, so also
// left of and above the level.
void blockAtClientPoint(int x, int y, int* column, int* row);
// The block under the pointer: 1 when the pointer is over the level and not
// over the item bar, 0 otherwise (column and row are set either way).
int blockUnderPointer(int* column, int* row);

constexpr int MinZoom = 1;  // client pixels per level pixel
constexpr int MaxZoom = 8;
void zoomIn();   // one step, up to MaxZoom
void zoomOut();  // one step, down to MinZoom

// Brings the camera back onto the level (0..width x 16, 0..height x 8) after
// the level changed size under it.
void clampCameraToLevel();

// Puts the camera on the level's centre, as every load does.
void centreCameraOnLevel();
