// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "platform/timer.h"

uint32_t timerElapsed(uint32_t*) { return {}; }
void localDate(int*, int*, int*) { }
void localTime(int*, int*, int*, int*) { }
void cursorPosition(int*, int*) { }
int setCursorPosition(int, int) { return {}; }
int netStartup() { return {}; }
int netShutdown() { return {}; }
int netSetNonBlocking(int) { return {}; }
