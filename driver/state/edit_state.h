#pragma once
// The ten interaction states held in EditorState::editState.

enum EditState : int {
  Idle = 0,                 // nothing in progress; hover and edge grabbing tracked
  Panning = 1,              // right button held; the view follows the mouse
  ResizingLevel = 2,        // left button held on one or more level edges
  StartViewReady = 3,       // key 32 held; a left press inside the start view grabs it
  MovingStartView = 4,      // left button held on the start view
  BandSelecting = 5,        // left button held; the rubber band marks elements
  MovingSelection = 6,      // left button held; the selection follows in whole blocks
  Placing = 7,              // a bar item follows the cursor, snapped to blocks
  SizingNewObject = 8,      // left button held after Placing; dragging sets the copies
  PanningWhilePlacing = 9,  // right button held during Placing
};

// The states in which a bar item is being placed, and so shown.
inline bool isPlacingState(int state) {
  return state == Placing || state == SizingNewObject || state == PanningWhilePlacing;
}
