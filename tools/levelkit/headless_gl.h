#pragma once
// A headless OpenGL context for levelkit's pictures: Mesa's surfaceless EGL
// platform (no display, no window system), a desktop compatibility-profile
// context for the OpenGL 1.x render code, and one pbuffer that pictures are
// drawn into a tile at a time, so a picture of any size needs one small
// surface.

#include <string>

constexpr int HeadlessTileSize = 1024;  // pbuffer width and height, pixels

struct HeadlessGl {
  void* display = nullptr;  // EGLDisplay, shared by the process and never terminated
  void* context = nullptr;  // EGLContext, current from open to close
  void* surface = nullptr;  // EGLSurface, the HeadlessTileSize pbuffer
};

// Creates the context and makes it current. 0 on success; 1 with reason set
// and nothing left open.
int openHeadlessGl(HeadlessGl* gl, std::string* reason);
void closeHeadlessGl(HeadlessGl* gl);  // safe on a record that never opened
