#pragma once
// The window and its OpenGL context. SDL stays behind these operations: the
// records carry its handles as opaque pointers.

// One top-level window. Also serves as the description windowCreate takes
// (of which only x, y, width, height, title, resizable, decorated are read).
struct AppWindow {
  int x;                // outer top-left corner, screen pixels (requested before an apply, actual after)
  int y;
  int width;            // client area, pixels (requested before an apply, actual after)
  int height;
  char title[260];      // NUL-terminated, UTF-8
  int visible;          // 1 = to be shown
  int resizable;        // 1 = sizing frame and maximise box
  int decorated;        // 1 = caption, system menu and border; 0 = no frame
  int actualX;          // as last read back from the system
  int actualY;
  int actualWidth;
  int actualHeight;
  int appliedVisible;   // flag values last given to the system
  int appliedResizable;
  int appliedDecorated;
  void* handle;         // the system window
};

// One OpenGL context bound to a window.
struct GlContext {
  void* renderContext;  // the system's OpenGL context
  void* windowHandle;   // the system window it draws to
};

// Desktop size in pixels; 0 x 0 when the video system cannot start. Starts
// the video system and keeps it for the rest of the run.
void desktopSize(int* width, int* height);

AppWindow* windowCreate(const AppWindow* description);  // none on failure (nothing left allocated)
AppWindow* windowApply(AppWindow* window);  // title, style, position, size to the system; then windowSync
AppWindow* windowSync(AppWindow* window);   // reads position and client size back
void windowApplyTitle(AppWindow* window);   // the title alone to the system: nothing moves or resizes
void windowDestroy(AppWindow* window);

GlContext* glContextCreate(AppWindow* window);  // double-buffered RGBA8888, 16-bit depth; none on failure
void glContextMakeCurrent(GlContext* context);
void glContextSwap(GlContext* context);         // glFinish, then present the back buffer
void glContextDestroy(GlContext* context);

enum MessageBoxKind { MessageBoxInformation, MessageBoxWarning };

// A modal message box over the window with the given buttons, left to right;
// Enter picks the first, Escape the last. Returns the index of the button
// chosen, or -1 when no box could be shown (platformError() says why).
int messageBox(AppWindow* parent, int kind, const char* title, const char* text, const char* const* buttons,
               int buttonCount);
// The same box before any window exists (a start-up that cannot go on):
// its own window on the desktop, -1 when there is no display to show it on.
int messageBoxAlone(int kind, const char* title, const char* text, const char* const* buttons, int buttonCount);

// The same box with Escape (and the box's own close button) picking button
// escapeButton instead of the last.
int messageBoxEscapeTo(AppWindow* parent, int kind, const char* title, const char* text,
                       const char* const* buttons, int buttonCount, int escapeButton);

// The system's explanation of the last failed creation (for the one line
// driver prints before it exits).
const char* platformError();
