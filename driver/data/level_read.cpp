// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "data/level.h"

int parseLevel(const uint8_t*, size_t, Level*) { return 1; }
int loadLevel(const char*, Level*) { return 1; }
