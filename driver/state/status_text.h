#pragma once
// The status line's text: the block under the pointer, the level's size, the
// selection, the object and element counts against their limits, the zoom.
// A function of those alone, so the line changes only when one of them does.

constexpr int StatusTextSize = 128;  // room for the longest line, its zero included

void formatStatusText(char* out, int outSize);
