#pragma once
// One pass of the main loop that draws only when the picture may have changed
// and otherwise rests until the next event or the next tick that could change
// it, so an idle editor uses no processor time between animation frames.
// The tick and every handler run exactly as in a loop that draws every pass.

// The pass's two outward steps, replaceable so tests can count them.
struct LoopSteps {
  void (*drawFrame)();          // renderFrame in the program
  void (*rest)(int timeoutMs);  // waitForEvent in the program
};

// drainEvents and tick, then one frame if since the last frame an event was
// handled, the system asked for a repaint, the animation frame advanced or a
// held scroll button stepped; otherwise a rest of restMilliseconds().
// The first pass after resetFramePacing always draws.
void loopPass(const LoopSteps& steps);
void resetFramePacing();  // nothing drawn yet: the next pass draws (before the loop starts)

// Milliseconds from the last tick to the next tick that may change the
// picture: the next animation step, or the next tick while a scroll-bar part
// is held (its auto-repeat).
int restMilliseconds();
