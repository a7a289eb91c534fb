// The surfaceless EGL set-up and the framebuffer object behind it.
#include "headless/headless_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>

// Framebuffer-object entry points, fetched once per process.
struct FboCalls {
  PFNGLGENFRAMEBUFFERSEXTPROC genFramebuffers;
  PFNGLDELETEFRAMEBUFFERSEXTPROC deleteFramebuffers;
  PFNGLBINDFRAMEBUFFEREXTPROC bindFramebuffer;
  PFNGLGENRENDERBUFFERSEXTPROC genRenderbuffers;
  PFNGLDELETERENDERBUFFERSEXTPROC deleteRenderbuffers;
  PFNGLBINDRENDERBUFFEREXTPROC bindRenderbuffer;
  PFNGLRENDERBUFFERSTORAGEEXTPROC renderbufferStorage;
  PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC framebufferRenderbuffer;
  PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC checkFramebufferStatus;
};

// The EXT name first, the core/ARB name (same signature) as fallback.
template <typename F>
static bool eglLoad(F* out, const char* extName, const char* coreName) {
  *out = reinterpret_cast<F>(eglGetProcAddress(extName));
  if (!*out) *out = reinterpret_cast<F>(eglGetProcAddress(coreName));
  return *out != nullptr;
}

static bool eglLoadFboCalls(FboCalls* f) {
  return eglLoad(&f->genFramebuffers, "glGenFramebuffersEXT", "glGenFramebuffers") &&
         eglLoad(&f->deleteFramebuffers, "glDeleteFramebuffersEXT", "glDeleteFramebuffers") &&
         eglLoad(&f->bindFramebuffer, "glBindFramebufferEXT", "glBindFramebuffer") &&
         eglLoad(&f->genRenderbuffers, "glGenRenderbuffersEXT", "glGenRenderbuffers") &&
         eglLoad(&f->deleteRenderbuffers, "glDeleteRenderbuffersEXT", "glDeleteRenderbuffers") &&
         eglLoad(&f->bindRenderbuffer, "glBindRenderbufferEXT", "glBindRenderbuffer") &&
         eglLoad(&f->renderbufferStorage, "glRenderbufferStorageEXT", "glRenderbufferStorage") &&
         eglLoad(&f->framebufferRenderbuffer, "glFramebufferRenderbufferEXT", "glFramebufferRenderbuffer") &&
         eglLoad(&f->checkFramebufferStatus, "glCheckFramebufferStatusEXT", "glCheckFramebufferStatus");
}

static FboCalls fbo;

static bool eglHasExtension(const char* list, const char* name) {
  return list && (std::string(" ") + list + " ").find(std::string(" ") + name + " ") != std::string::npos;
}

// The display is initialised once per process (loading the software driver is
// the slow part) and left to process exit: terminating it unloads the driver,
// after which the leak checker can no longer attribute the driver's own
// allocations to it. Contexts are per HeadlessGl.
static EGLDisplay eglSharedDisplay(std::string* failure) {
  static EGLDisplay display = EGL_NO_DISPLAY;
  static std::string initFailure;
  static bool tried = false;
  if (tried) {
    *failure = initFailure;
    return display;
  }
  tried = true;
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);  // same pixels everywhere, no GPU needed
  const char* clientExts = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (!eglHasExtension(clientExts, "EGL_MESA_platform_surfaceless")) {
    initFailure = "EGL_MESA_platform_surfaceless not offered";
  } else {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay) display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY) {
      initFailure = "no surfaceless EGL display";
    } else if (!eglInitialize(display, &major, &minor)) {
      initFailure = "eglInitialize failed";
      display = EGL_NO_DISPLAY;
    }
  }
  *failure = initFailure;
  return display;
}

static EGLContext eglCreateCompatContext(EGLDisplay display, EGLContext share) {
  if (!eglBindAPI(EGL_OPENGL_API)) return EGL_NO_CONTEXT;
  const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                   EGL_NONE};
  EGLConfig config = nullptr;  // EGL_NO_CONFIG_KHR: rendering goes to our own framebuffer object
  const char* exts = eglQueryString(display, EGL_EXTENSIONS);
  if (!eglHasExtension(exts, "EGL_KHR_no_config_context")) {
    const EGLint configAttribs[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttribs, &config, 1, &count) || count < 1) return EGL_NO_CONTEXT;
  }
  return eglCreateContext(display, config, share, contextAttribs);
}

HeadlessGl::HeadlessGl(int w, int h, const HeadlessGl* shareWith) : width(w), height(h) {
  EGLDisplay dpy = eglSharedDisplay(&failure);
  if (!ok()) return;
  EGLContext ctx = eglCreateCompatContext(dpy, shareWith ? static_cast<EGLContext>(shareWith->context) : EGL_NO_CONTEXT);
  if (ctx == EGL_NO_CONTEXT) {
    failure = "no desktop OpenGL compatibility context";
    return;
  }
  display = dpy;
  context = ctx;
  if (!eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, ctx)) {
    failure = "eglMakeCurrent without a surface failed";
    return;
  }
  static const bool haveFbo = eglLoadFboCalls(&fbo);
  if (!haveFbo) {
    failure = "no framebuffer object entry points";
    return;
  }
  fbo.genFramebuffers(1, &framebuffer);
  fbo.bindFramebuffer(GL_FRAMEBUFFER_EXT, framebuffer);
  fbo.genRenderbuffers(1, &colourBuffer);
  fbo.bindRenderbuffer(GL_RENDERBUFFER_EXT, colourBuffer);
  fbo.renderbufferStorage(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
  fbo.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, colourBuffer);
  fbo.genRenderbuffers(1, &depthBuffer);
  fbo.bindRenderbuffer(GL_RENDERBUFFER_EXT, depthBuffer);
  fbo.renderbufferStorage(GL_RENDERBUFFER_EXT, GL_DEPTH24_STENCIL8_EXT, width, height);
  fbo.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depthBuffer);
  fbo.framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depthBuffer);
  if (fbo.checkFramebufferStatus(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) {
    failure = "framebuffer object incomplete";
    return;
  }
  glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT);
  glReadBuffer(GL_COLOR_ATTACHMENT0_EXT);
  setPixelProjection();
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

HeadlessGl::~HeadlessGl() {
  if (!context) return;
  EGLDisplay dpy = static_cast<EGLDisplay>(display);
  if (framebuffer) {
    fbo.bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
    fbo.deleteFramebuffers(1, &framebuffer);
  }
  if (colourBuffer) fbo.deleteRenderbuffers(1, &colourBuffer);
  if (depthBuffer) fbo.deleteRenderbuffers(1, &depthBuffer);
  eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(dpy, static_cast<EGLContext>(context));
}

void HeadlessGl::makeCurrent() const {
  eglMakeCurrent(static_cast<EGLDisplay>(display), EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(context));
}

void HeadlessGl::setPixelProjection() const {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, 1, -1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

Rgba HeadlessGl::readPixel(int x, int y) const {
  Rgba c{0, 0, 0, 0};
  if (!ok() || x < 0 || y < 0 || x >= width || y >= height) return c;
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &c);  // GL rows count from the bottom
  return c;
}

std::vector<Rgba> HeadlessGl::readFrame() const {
  std::vector<Rgba> bottomUp(static_cast<size_t>(width) * height);
  if (!ok()) return bottomUp;
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<Rgba> topDown(bottomUp.size());
  for (int y = 0; y < height; ++y)
    std::copy_n(bottomUp.begin() + static_cast<long>(height - 1 - y) * width, width,
                topDown.begin() + static_cast<long>(y) * width);
  return topDown;
}

std::ostream& operator<<(std::ostream& os, const Rgba& c) {
  return os << "rgba(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}
