#pragma once
// Clock, cursor, sockets start-up and the small point test of the platform layer.

#include <cstdint>

struct Panel;

// Milliseconds since *stamp was last written (unsigned 32-bit arithmetic);
// writes the current reading into *stamp.
uint32_t timerElapsed(uint32_t* stamp);

void localDate(int* year, int* month, int* day);
void localTime(int* hour, int* minute, int* second, int* millisecond);
void cursorPosition(int* x, int* y);   // screen position
int setCursorPosition(int x, int y);   // 0 on success

int netStartup();                // 0 on success, 1 on failure (nothing to start on POSIX)
int netShutdown();               // 0
int netSetNonBlocking(int socket);  // the system's result

// 1 if 0 <= x <= panel width and 0 <= y <= panel height (panel coordinates).
int pointInPanel(const Panel* panel, int x, int y);
