// Where a model-view rectangle lands in the window, and a kept picture put back.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include "render/fill.h"
#include "render/region_cache.h"
#include "headless/headless_gl.h"
#include "support/skips.h"

TEST(RectInWindow, WholePixelRectanglesLandClippedAndOthersAreRefused) {
  HeadlessGl gl(64, 32);
  SKIP_WITHOUT_GL(gl);
  struct Case {
    const char* what;
    double scaleX, scaleY, x0, y0, x1, y1;
    bool lands;
    WindowRect rect;  // window pixels, origin bottom-left
  };
  const Case cases[] = {
      {"bottom rows", 1, 1, 0, 20, 64, 32, true, {0, 0, 64, 12}},
      {"clipped to the viewport", 1, 1, -10, -5, 10, 5, true, {0, 27, 10, 5}},
      {"zoomed", 2, 2, 1, 1, 5, 3, true, {2, 26, 8, 4}},
      {"flipped upside down", 1, -1, 0, -4, 8, 0, true, {0, 28, 8, 4}},
      {"half a pixel off", 1, 1, 0.5, 0, 8, 8, false, {}},
      {"mirrored left and right", -1, 1, -8, 0, 0, 8, false, {}},
      {"wholly outside", 1, 1, 70, 0, 80, 8, false, {}},
  };
  for (const Case& c : cases) {
    gl.setPixelProjection();
    glScaled(c.scaleX, c.scaleY, 1.0);
    WindowRect rect{};
    EXPECT_EQ(rectInWindow(c.x0, c.y0, c.x1, c.y1, &rect), c.lands) << c.what;
    if (c.lands) {
      EXPECT_EQ(rect, c.rect) << c.what;
    }
  }
}

// A picture whose look is the number of stripes it shows.
int stripesDrawn = 0;
void drawStripes(const int& count) {
  ++stripesDrawn;
  for (int x = 0; x < 4 * count; x += 4) {
    glColor3ub(static_cast<uint8_t>(x * 8), 200, static_cast<uint8_t>(255 - x));
    fillRect(x, 0, x + 3, 16 - x / 4);
  }
}

TEST(KeptPicture, PutBackOnlyForTheLookItWasDrawnFrom) {
  HeadlessGl gl(32, 16);
  SKIP_WITHOUT_GL(gl);
  gl.setPixelProjection();
  glClearColor(0, 0, 0, 0);
  WindowRect rect{};
  ASSERT_TRUE(rectInWindow(0, 0, 32, 16, &rect));
  KeptPicture<int> kept{CachedItemBar};
  const auto frame = [&](int stripes) {
    glClear(GL_COLOR_BUFFER_BIT);
    drawKept(&kept, stripes, &rect, drawStripes);
    return gl.readFrame();
  };
  const std::vector<Rgba> eight = frame(8);
  EXPECT_EQ(frame(8), eight);
  EXPECT_EQ(stripesDrawn, 2) << "drawn twice alike, then kept";
  EXPECT_EQ(frame(8), eight);
  EXPECT_NE(frame(4), eight);
  EXPECT_EQ(frame(8), eight);
  EXPECT_EQ(stripesDrawn, 3) << "the copy of eight stripes was put back twice";
  freeRegionCaches();
  EXPECT_EQ(frame(8), eight);
  EXPECT_EQ(stripesDrawn, 4) << "drawn afresh once the copies are gone";
}
