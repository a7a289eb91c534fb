#pragma once
// Start-up, the main loop's three steps, and shut-down.

void startUp();      // sockets, window 640x480 centred, GL context, clear colour, timer, quadList
void shutDown();     // in reverse order of creation
void drainEvents();  // handles every pending event; stops at the first EventNone
void tick();         // advances the animation and the panels by the whole ticks elapsed
void renderFrame();  // clear, viewport, pixel projection, drawScene, swap

constexpr double TickLengthMs = 8.333333333333334;  // 1000/120, bit pattern 0x4020AAAAAAAAAAAB

// Unused by the frame; kept as part of the core's interface.
void perspective(double fieldOfViewDegrees, double aspect, double nearPlane, double farPlane);
