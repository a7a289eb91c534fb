#pragma once
// Headless OpenGL for rendering tests and benchmarks.
//
// A compatibility-profile desktop GL context on Mesa's software renderer,
// made current without any window or surface (EGL surfaceless platform),
// drawing into a framebuffer object of the requested size with RGBA8 colour
// and a packed depth + stencil buffer. Software rendering keeps the pixels the
// same on every machine.
//
// Use one per test; it is current from construction to destruction and the
// previous test's GL state is gone with its context:
//
//   TEST(Scene, EmptyLevelIsPaletteColourZero) {
//     HeadlessGl gl(64, 32);
//     SKIP_WITHOUT_GL(gl);
//     gl.setPixelProjection();      // what renderFrame sets: (0,0) top-left
//     ... draw with the real code ...
//     EXPECT_EQ(gl.readPixel(3, 0), (Rgba{12, 34, 56, 255}));
//   }
//
// Coordinates of readPixel/readFrame are client pixels, origin top-left, y down,
// the same as the projection set by setPixelProjection.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct Rgba {
  uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rgba& c);  // gtest prints "rgba(r,g,b,a)"

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
  bool savePpm(const std::string& path) const;  // the frame as a binary PPM, for test artefacts

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

// Skips the calling test when no context could be made, saying why.
#define SKIP_WITHOUT_GL(gl) \
  do { if (!(gl).ok()) GTEST_SKIP() << "headless OpenGL unavailable: " << (gl).failure; } while (0)
