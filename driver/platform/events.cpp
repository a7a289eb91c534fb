// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "platform/events.h"

int pumpEvent(AppWindow**, int*, int*) { return {}; }
