// Contents: error text | desktop | window create/apply/sync/destroy | OpenGL context.
#include "platform/window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/platform_internal.h"

static char lastError[512];

void setPlatformError(const char* what) {
  std::snprintf(lastError, sizeof lastError, "%s: %s", what, SDL_GetError());
}

const char* platformError() { return lastError; }

static SDL_Window* sdlWindow(const AppWindow* window) { return static_cast<SDL_Window*>(window->handle); }

void desktopSize(int* width, int* height) {
  *width = *height = 0;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    setPlatformError("cannot start the video system");
    return;
  }
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    *width = mode.w;
    *height = mode.h;
  }
  // The connection stays open (the window opened next shares it): closing the
  // only client makes a bare X server reset, which can cut off the next one.
}

// On X11 the visual is fixed when the window is created, so the context's
// pixel format has to be asked for before the window exists.
static void requestPixelFormat() {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

AppWindow* windowCreate(const AppWindow* description) {
  AppWindow* window = new (std::nothrow) AppWindow{};
  if (!window) return nullptr;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    setPlatformError("cannot start the video system");
    delete window;
    return nullptr;
  }
  // SDL queues text events for every printable key unless told otherwise.
  SDL_StopTextInput();
  // Closing the last window must stay a request the program may decline (it
  // asks before dropping unsaved edits), not a quit request of its own.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  requestPixelFormat();
  SDL_Window* handle = SDL_CreateWindow("!", 0, 0, 320, 240,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
  if (!handle) {
    setPlatformError("cannot create the window");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    delete window;
    return nullptr;
  }
  window->x = description->x;
  window->y = description->y;
  window->width = description->width;
  window->height = description->height;
  window->resizable = description->resizable;
  window->decorated = description->decorated;
  std::memcpy(window->title, description->title, sizeof window->title);
  window->title[sizeof window->title - 1] = 0;
  window->handle = handle;
  SDL_SetWindowData(handle, AppWindowKey, window);
  window->visible = 1;
  window->appliedVisible = 1;
  window->appliedResizable = -1;  // matches neither flag value: the first apply sets the style
  window->appliedDecorated = -1;
  windowApply(window);
  return window;
}

AppWindow* windowApply(AppWindow* window) {
  SDL_Window* handle = sdlWindow(window);
  if (window->resizable != window->appliedResizable || window->visible != window->appliedVisible ||
      window->decorated != window->appliedDecorated) {
    SDL_HideWindow(handle);
    SDL_SetWindowBordered(handle, window->decorated ? SDL_TRUE : SDL_FALSE);
    // Without a frame there is nothing to size the window by.
    SDL_SetWindowResizable(handle, window->decorated && window->resizable ? SDL_TRUE : SDL_FALSE);
  }
  SDL_SetWindowTitle(handle, window->title);
  SDL_SetWindowSize(handle, window->width, window->height);
  if (window->visible) SDL_ShowWindow(handle);
  // x, y name the outer corner; SDL places the client area. The frame is only
  // known once the window is shown (none at all without a window manager).
  int top = 0, left = 0;
  if (SDL_GetWindowBordersSize(handle, &top, &left, nullptr, nullptr) != 0) top = left = 0;
  SDL_SetWindowPosition(handle, window->x + left, window->y + top);
  window->appliedResizable = window->resizable;
  window->appliedVisible = window->visible;
  window->appliedDecorated = window->decorated;
  return windowSync(window);
}

AppWindow* windowSync(AppWindow* window) {
  SDL_Window* handle = sdlWindow(window);
  int clientX = 0, clientY = 0, top = 0, left = 0;
  SDL_GetWindowPosition(handle, &clientX, &clientY);
  if (SDL_GetWindowBordersSize(handle, &top, &left, nullptr, nullptr) != 0) top = left = 0;
  window->x = window->actualX = clientX - left;
  window->y = window->actualY = clientY - top;
  int width = 0, height = 0;
  // A minimised window has no client area.
  if (!(SDL_GetWindowFlags(handle) & SDL_WINDOW_MINIMIZED)) SDL_GetWindowSize(handle, &width, &height);
  window->width = window->actualWidth = width;
  window->height = window->actualHeight = height;
  return window;
}

void windowApplyTitle(AppWindow* window) {
  if (window->handle) SDL_SetWindowTitle(sdlWindow(window), window->title);
}

void windowDestroy(AppWindow* window) {
  if (!window) return;
  SDL_DestroyWindow(sdlWindow(window));
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  delete window;
}

GlContext* glContextCreate(AppWindow* window) {
  GlContext* context = new (std::nothrow) GlContext{};
  if (!context) return nullptr;
  context->windowHandle = window->handle;
  requestPixelFormat();
  context->renderContext = SDL_GL_CreateContext(sdlWindow(window));
  if (!context->renderContext) {
    setPlatformError("cannot create the OpenGL context");
    delete context;
    return nullptr;
  }
  // Vertical sync where the system offers it; the loop runs either way.
  SDL_GL_SetSwapInterval(1);
  return context;
}

void glContextMakeCurrent(GlContext* context) {
  SDL_GL_MakeCurrent(static_cast<SDL_Window*>(context->windowHandle),
                     static_cast<SDL_GLContext>(context->renderContext));
}

void glContextSwap(GlContext* context) {
  glFinish();
  SDL_GL_SwapWindow(static_cast<SDL_Window*>(context->windowHandle));
}

void glContextDestroy(GlContext* context) {
  if (!context) return;
  SDL_GL_MakeCurrent(static_cast<SDL_Window*>(context->windowHandle), nullptr);
  SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context->renderContext));
  delete context;
}
