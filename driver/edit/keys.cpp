// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "edit/keys.h"

void onKeyDown(int) { }
void onKeyUp(int) { }
void recentre() { }
