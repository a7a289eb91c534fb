// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "platform/window.h"

int desktopInfo(int*, int*, int*) { return {}; }
AppWindow* windowCreate(const AppWindow*) { return {}; }
AppWindow* windowApply(AppWindow*) { return {}; }
AppWindow* windowSync(AppWindow*) { return {}; }
void windowDestroy(AppWindow*) { }
GlContext* glContextCreate(AppWindow*) { return {}; }
void glContextMakeCurrent(GlContext*) { }
void glContextSwap(GlContext*) { }
void glContextDestroy(GlContext*) { }
const char* platformError() { return {}; }
