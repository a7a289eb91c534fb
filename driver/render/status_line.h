#pragma once
// The status line (F2): one line of small text on a dark strip in the level
// view's bottom-left corner, just above the item bar, in client pixels.

void drawStatusLine();  // nothing, not one pixel, while editor.statusLineShown is 0
