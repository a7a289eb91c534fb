#pragma once
// Input events: the message pump turns system events into one pending event
// at a time; drainEvents calls pumpEvent until it returns EventNone.

struct AppWindow;

enum InputEvent {
  EventNone = 0,        // queue empty, or the event taken produced nothing
  EventClose = 1,       // close box or quit request (also SIGTERM/SIGINT)
  EventFocus = 2,       // a: 1 gained, 0 lost
  EventKeyDown = 3,     // a: virtual-key code; auto-repeat repeats it
  EventKeyUp = 4,       // a: virtual-key code
  EventButtonDown = 5,  // a: MouseButton, a wheel step included
  EventMouseMove = 6,   // a, b: client x, y (negative while captured outside)
  EventButtonUp = 7,    // a: MouseButton, never a wheel step
  EventMove = 8,        // a, b: window actualX, actualY
  EventResize = 9,      // a, b: client actualWidth, actualHeight (0 x 0 when minimised)
};

// The buttons of EventButtonDown and EventButtonUp. A wheel step arrives as a
// press of its own with no release.
enum MouseButton {
  ButtonLeft = 1,
  ButtonRight = 2,
  ButtonMiddle = 3,
  WheelAway = 4,
  WheelToward = 5,
};

// Takes at most one system event without waiting; returns its kind and its
// window and payloads through the out arguments.
int pumpEvent(AppWindow** window, int* a, int* b);

// Where the last EventClose that pumpEvent returned came from: 1 the window's
// close box (the editor may ask before closing), 0 a termination signal or
// another quit request (the program ends at once).
int closeCameFromWindow();

// Whether the system asked for the window to be painted again (uncovered or
// exposed) since the last call; such a request is no event of its own.
int takeRepaintRequest();

// Sleeps until an event is queued or timeoutMs milliseconds have passed,
// taking nothing from the queue; returns at once for 0 or less.
void waitForEvent(int timeoutMs);
