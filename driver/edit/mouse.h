#pragma once
// The mouse handlers: route to the panels or drive editState over the level.

void onButtonDown(int button);  // 1 left, 2 right, 3 middle, 4/5 wheel
void onMouseMove(int x, int y); // client pixels
void onButtonUp(int button);    // 1..3
