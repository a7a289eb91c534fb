#pragma once
// Headless OpenGL for tests, benchmarks and levelkit's pictures.
//
// A compatibility-profile desktop GL context on Mesa's software renderer,
// made current without any window or surface (EGL surfaceless platform),
// drawing into a framebuffer object of the requested size with RGBA8 colour
// and a packed depth + stencil buffer. Software rendering keeps the pixels the
// same on every machine.
//
// It is current from construction to destruction; a test makes one of its own
// so that no GL state leaks from the test before:
//
//   HeadlessGl gl(64, 32);
//   if (!gl.ok()) ... gl.failure says why
//   gl.setPixelProjection();      // what renderFrame sets: (0,0) top-left
//   ... draw with the real code ...
//   gl.readPixel(3, 0)
//
// Coordinates of readPixel/readFrame are client pixels, origin top-left, y down,
// the same as the projection set by setPixelProjection.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

struct Rgba {
  uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rgba& c);  // "rgba(r,g,b,a)", as test failures print it

struct HeadlessGl {
  // Creates and makes current; check ok(). With shareWith, textures and
  // display lists are common to both contexts; all other state is each one's own.
  HeadlessGl(int width, int height, const HeadlessGl* shareWith = nullptr);
  ~HeadlessGl();
  HeadlessGl(const HeadlessGl&) = delete;
  HeadlessGl& operator=(const HeadlessGl&) = delete;

  bool ok() const { return failure.empty(); }
  void makeCurrent() const;                  // after drawing in another context
  void setPixelProjection() const;           // viewport 0,0,w,h; glOrtho(0,w,h,0,1,-1); identity model-view
  Rgba readPixel(int x, int y) const;        // after glFinish; x,y from the top-left
  std::vector<Rgba> readFrame() const;       // width*height pixels, top row first

  int width = 0;
  int height = 0;
  std::string failure;  // why EGL or the framebuffer could not be set up; empty when usable

  // EGL and GL handles, opaque to users.
  void* display = nullptr;
  void* context = nullptr;
  unsigned framebuffer = 0;
  unsigned colourBuffer = 0;
  unsigned depthBuffer = 0;
};
