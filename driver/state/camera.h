#pragma once
// Camera arithmetic: where the level's pixels land in the client area.

int clientWidth();   // the window's client width, 0 before a window exists
int clientHeight();  // the window's client height, 0 before a window exists

// View centre from the client size and the item bar; origin from the camera.
void recentre();

constexpr int MinZoom = 1;  // client pixels per level pixel
constexpr int MaxZoom = 8;
void zoomIn();   // one step, up to MaxZoom
void zoomOut();  // one step, down to MinZoom
