// The message pump: one SDL event per call, translated into the pending-event
// slot (kind, window, two payloads) that pumpEvent hands to its caller.
#include "platform/events.h"

#include <SDL2/SDL.h>

#include "platform/keymap.h"
#include "platform/platform_internal.h"
#include "platform/window.h"

static int pendingKind;
static int pendingA;
static int pendingB;
static AppWindow* pendingWindow;
static int lastCloseFromWindow;
static int repaintRequested;

static void setPending(int kind, int a, int b) {
  pendingKind = kind;
  pendingA = a;
  pendingB = b;
}

static AppWindow* windowOf(Uint32 windowId) {
  SDL_Window* handle = SDL_GetWindowFromID(windowId);
  return handle ? static_cast<AppWindow*>(SDL_GetWindowData(handle, AppWindowKey)) : nullptr;
}

static void onWindowEvent(const SDL_WindowEvent& e) {
  AppWindow* window = pendingWindow;
  switch (e.event) {
    case SDL_WINDOWEVENT_MOVED:
      if (window) windowSync(window);
      setPending(EventMove, window ? window->actualX : e.data1, window ? window->actualY : e.data2);
      break;
    // Every change of the client size, also those the program makes itself;
    // minimising and restoring change it to 0 by 0 and back.
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
      if (window) windowSync(window);
      setPending(EventResize, window ? window->actualWidth : 0, window ? window->actualHeight : 0);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: setPending(EventFocus, 1, 0); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: setPending(EventFocus, 0, 0); break;
    // The window stays until the program destroys it.
    case SDL_WINDOWEVENT_CLOSE:
      setPending(EventClose, 0, 0);
      lastCloseFromWindow = 1;
      break;
    case SDL_WINDOWEVENT_EXPOSED: repaintRequested = 1; break;
    default: break;
  }
}

static void onKey(const SDL_KeyboardEvent& e) {
  bool down = e.type == SDL_KEYDOWN;
  // A release is kept even while Alt is held, so no key stays down for the editor.
  if (isSystemKey(e.keysym.sym, down ? e.keysym.mod : 0)) return;
  int code = virtualKeyFromSdl(e.keysym.sym, e.keysym.scancode, e.keysym.mod);
  if (code) setPending(down ? EventKeyDown : EventKeyUp, code, 0);  // repeats arrive as more downs
}

// SDL numbers the middle button 2 and the right 3; the editor the other way round.
static int buttonOf(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return ButtonLeft;
    case SDL_BUTTON_RIGHT: return ButtonRight;
    case SDL_BUTTON_MIDDLE: return ButtonMiddle;
    default: return 0;
  }
}

static void onButton(const SDL_MouseButtonEvent& e) {
  int button = buttonOf(e.button);
  if (!button || e.which == SDL_TOUCH_MOUSEID) return;
  bool down = e.type == SDL_MOUSEBUTTONDOWN;
  // Held buttons keep reporting moves and the release from outside the window.
  SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
  setPending(down ? EventButtonDown : EventButtonUp, button, 0);
}

static void onWheel(const SDL_MouseWheelEvent& e) {
  int away = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
  if (away > 0) setPending(EventButtonDown, WheelAway, 0);
  if (away < 0) setPending(EventButtonDown, WheelToward, 0);
}

static void translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:  // SIGINT, SIGTERM or the session ending; never the close box (see windowCreate)
      setPending(EventClose, 0, 0);
      lastCloseFromWindow = 0;
      break;
    case SDL_WINDOWEVENT: onWindowEvent(e.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: onKey(e.key); break;
    case SDL_MOUSEMOTION:
      if (e.motion.which != SDL_TOUCH_MOUSEID) setPending(EventMouseMove, e.motion.x, e.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: onButton(e.button); break;
    case SDL_MOUSEWHEEL:
      if (e.wheel.which != SDL_TOUCH_MOUSEID) onWheel(e.wheel);
      break;
    default: break;
  }
}

// The window an event belongs to; SDL_QUIT and foreign events have none.
static Uint32 windowIdOf(const SDL_Event& e) {
  switch (e.type) {
    case SDL_WINDOWEVENT: return e.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return e.key.windowID;
    case SDL_MOUSEMOTION: return e.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return e.button.windowID;
    case SDL_MOUSEWHEEL: return e.wheel.windowID;
    default: return 0;
  }
}

int pumpEvent(AppWindow** window, int* a, int* b) {
  setPending(EventNone, 0, 0);
  pendingWindow = nullptr;
  SDL_Event e;
  if (SDL_PollEvent(&e)) {
    Uint32 id = windowIdOf(e);
    pendingWindow = id ? windowOf(id) : nullptr;
    // Events still queued for a window that has since been destroyed are stale.
    if (!id || pendingWindow) translate(e);
  }
  *window = pendingWindow;
  *a = pendingA;
  *b = pendingB;
  return pendingKind;
}

int closeCameFromWindow() { return lastCloseFromWindow; }

int takeRepaintRequest() {
  const int requested = repaintRequested;
  repaintRequested = 0;
  return requested;
}

void waitForEvent(int timeoutMs) {
  if (timeoutMs > 0) SDL_WaitEventTimeout(nullptr, timeoutMs);
}
