#pragma once
// Start-up, the main loop's three steps, and shut-down.

// Window 640x480 centred, GL context, clear colour, timer, quadList.
// 0 on success; 1 when the window or the context could not be made: one line
// saying what failed has gone to standard error and nothing is left open.
int startUp();
void shutDown();     // in reverse order of creation; safe after a failed startUp
int drainEvents();   // handles every pending event; stops at the first EventNone; returns how many it handled
void handleEvent(int kind, int a, int b);  // one InputEvent to its handler (the drain's table)
void tick();         // advances the animation and the panels by the whole ticks elapsed
void renderFrame();  // clear, viewport, pixel projection, drawScene, swap

constexpr double TickLengthMs = 8.333333333333334;  // 1000/120, bit pattern 0x4020AAAAAAAAAAAB
constexpr int TicksPerAnimationFrame = 8;            // 15 animation frames a second
