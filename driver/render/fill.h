#pragma once
// The filled rectangle every part of the picture is built from.

// A triangle strip through the four corners, in the current colour and
// model-view; the corners are level or client pixels as the caller's
// transform makes them.
void fillRect(int x0, int y0, int x1, int y1);
