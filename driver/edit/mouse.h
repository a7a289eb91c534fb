#pragma once
// The mouse handlers: route to the panels or drive editState over the level.

void onButtonDown(int button);  // a MouseButton (platform/events.h), a wheel step included
void onMouseMove(int x, int y); // client pixels
void onButtonUp(int button);    // a MouseButton other than the wheel's
