// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "core/main_loop.h"

void startUp() { }
void shutDown() { }
void drainEvents() { }
void tick() { }
void renderFrame() { }
void perspective(double, double, double, double) { }
