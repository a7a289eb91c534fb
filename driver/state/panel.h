#pragma once
// On-screen panels: panel 0 is the item bar area (a plain panel), panel 1 its
// horizontal scroll bar. The input handlers feed them pointer events; the
// tick drives the scroll bar's auto-repeat.

enum ScrollPart : unsigned {
  NoPart = 0,
  BackArrow = 1,    // left (or top) button
  ForwardArrow = 2, // right (or bottom) button
  Thumb = 3,
  BackPage = 4,     // track before the thumb
  ForwardPage = 5,  // track after the thumb
};

enum PanelKind : unsigned {
  PanelPlain = 0,      // an area with no behaviour of its own (the item bar)
  PanelScrollBar = 2,
};

struct Panel {
  unsigned kind;       // PanelScrollBar, or any other value for a plain area
  int x, y;            // top-left corner, client pixels
  int width, height;
  int right, bottom;   // x + width - 1, y + height - 1
  int pressX, pressY;  // pointer at the last press, relative to (x, y)
  int pointerX, pointerY;  // last pointer position, relative to (x, y)
  unsigned vertical;   // scroll bar: 1 vertical, 0 horizontal
  int minValue, maxValue;
  int value;           // scroll bar value: for the item bar, the strip's scroll offset in pixels
  int repeatCount;     // auto-repeat tick counter
  int lineStep;        // arrow step
  int pageStep;        // track-click step; also the visible extent for the thumb size
  unsigned activePart; // ScrollPart taken by the current press, NoPart when none
  int trackLength;     // pixels between the arrow buttons
  int thumbLength;     // at least 8
  int thumbRange;      // trackLength - thumbLength
  int pointerOnPart;   // 1 while the pointer is over activePart
  double fraction;     // (value - minValue) / (maxValue - minValue)
  double pressFraction;  // fraction at the press
};

constexpr int PanelCount = 2;
