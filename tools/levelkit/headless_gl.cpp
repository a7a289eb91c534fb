// The surfaceless EGL set-up behind levelkit's pictures.
#include "headless_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdlib>
#include <cstring>

// The whole extension list as one blank-separated string.
static bool headlessHasExtension(const char* list, const char* name) {
  if (!list) return false;
  const size_t length = std::strlen(name);
  for (const char* p = std::strstr(list, name); p; p = std::strstr(p + length, name))
    if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0')) return true;
  return false;
}

// Initialised once and left to process exit: loading the driver is the slow
// part, and unloading it early confuses leak checkers.
static EGLDisplay headlessDisplay(std::string* reason) {
  static EGLDisplay display = EGL_NO_DISPLAY;
  static const char* failure = nullptr;
  static bool tried = false;
  if (!tried) {
    tried = true;
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!headlessHasExtension(clientExtensions, "EGL_MESA_platform_surfaceless") || !getPlatformDisplay) {
      failure = "EGL offers no surfaceless platform";
    } else {
      display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
      EGLint major = 0, minor = 0;
      if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        failure = "the surfaceless EGL display does not initialise";
        display = EGL_NO_DISPLAY;
      }
    }
  }
  if (failure) *reason = failure;
  return display;
}

int openHeadlessGl(HeadlessGl* gl, std::string* reason) {
  // The software rasteriser gives the same pixels on every machine, GPU or not.
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  EGLDisplay display = headlessDisplay(reason);
  if (display == EGL_NO_DISPLAY) return 1;
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  if (!eglBindAPI(EGL_OPENGL_API) || !eglChooseConfig(display, configAttributes, &config, 1, &configCount) ||
      configCount < 1) {
    *reason = "EGL has no desktop OpenGL pbuffer configuration";
    return 1;
  }
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) {
    *reason = "EGL gives no OpenGL compatibility context";
    return 1;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, HeadlessTileSize, EGL_HEIGHT, HeadlessTileSize, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE || !eglMakeCurrent(display, surface, surface, context)) {
    if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    eglDestroyContext(display, context);
    *reason = "EGL cannot draw into a pbuffer";
    return 1;
  }
  gl->display = display;
  gl->context = context;
  gl->surface = surface;
  return 0;
}

void closeHeadlessGl(HeadlessGl* gl) {
  if (!gl->context) return;
  eglMakeCurrent(gl->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroySurface(gl->display, gl->surface);
  eglDestroyContext(gl->display, gl->context);
  *gl = HeadlessGl{};
}
