// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "edit/mouse.h"

void onButtonDown(int) { }
void onMouseMove(int, int) { }
void onButtonUp(int) { }
