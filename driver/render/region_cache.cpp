// Copies of window rectangles in textures: where a rectangle lands, the copy,
// and drawing it back.
#include "render/region_cache.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

struct RegionCopy {
  unsigned texture;  // 0 while nothing is held
  int textureWidth;  // powers of two holding the copy
  int textureHeight;
  WindowRect rect;   // where the copy came from
};

static RegionCopy regionCopies[CachedRegionCount];

// How far from a whole pixel a corner may land and still count as on it.
static constexpr double PixelSlack = 1e-3;

ViewState currentViewState() {
  ViewState v{};
  glGetFloatv(GL_PROJECTION_MATRIX, v.projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, v.modelview);
  glGetIntegerv(GL_VIEWPORT, v.viewport);
  return v;
}

// Window coordinates of a model-view point (z = 0); m is projection x model-view.
static void windowPoint(const double m[16], const int viewport[4], double x, double y, double* wx, double* wy) {
  const double cx = m[0] * x + m[4] * y + m[12];
  const double cy = m[1] * x + m[5] * y + m[13];
  const double cw = m[3] * x + m[7] * y + m[15];
  *wx = viewport[0] + (cx / cw + 1.0) * 0.5 * viewport[2];
  *wy = viewport[1] + (cy / cw + 1.0) * 0.5 * viewport[3];
}

static bool wholePixel(double v, int* out) {
  const double r = std::round(v);
  *out = static_cast<int>(r);
  return std::fabs(v - r) <= PixelSlack;
}

bool rectInWindow(double x0, double y0, double x1, double y1, WindowRect* out) {
  const ViewState v = currentViewState();
  double m[16];
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      m[c * 4 + r] = 0.0;
      for (int k = 0; k < 4; ++k) m[c * 4 + r] += double(v.projection[k * 4 + r]) * v.modelview[c * 4 + k];
    }
  double ax, ay, bx, by, cx, cy;
  windowPoint(m, v.viewport, x0, y0, &ax, &ay);
  windowPoint(m, v.viewport, x1, y1, &bx, &by);
  windowPoint(m, v.viewport, x1, y0, &cx, &cy);  // a third corner rules out turns
  int left, right, bottom, top, third;
  if (!wholePixel(ax, &left) || !wholePixel(bx, &right) || !wholePixel(ay, &top) || !wholePixel(by, &bottom))
    return false;
  if (!wholePixel(cx, &third) || third != right || !wholePixel(cy, &third) || third != top) return false;
  if (bottom > top) std::swap(bottom, top);  // y may run either way; x must not
  if (right <= left) return false;
  // Only the viewport is ever drawn.
  left = std::max(left, v.viewport[0]);
  bottom = std::max(bottom, v.viewport[1]);
  right = std::min(right, v.viewport[0] + v.viewport[2]);
  top = std::min(top, v.viewport[1] + v.viewport[3]);
  if (right <= left || top <= bottom) return false;
  *out = WindowRect{left, bottom, right - left, top - bottom};
  return true;
}

bool regionCacheDraw(CachedRegion region, const WindowRect& rect) {
  RegionCopy* cache = &regionCopies[region];
  if (!cache->texture || !(cache->rect == rect)) return false;
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(viewport[0], viewport[0] + viewport[2], viewport[1], viewport[1] + viewport[3], -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, cache->texture);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);  // texels pass unchanged through the modulation
  const float s1 = static_cast<float>(rect.width) / cache->textureWidth;
  const float t1 = static_cast<float>(rect.height) / cache->textureHeight;
  const int x1 = rect.x + rect.width, y1 = rect.y + rect.height;
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2i(rect.x, rect.y);
  glTexCoord2f(s1, 0.0f);
  glVertex2i(x1, rect.y);
  glTexCoord2f(0.0f, t1);
  glVertex2i(rect.x, y1);
  glTexCoord2f(s1, t1);
  glVertex2i(x1, y1);
  glEnd();
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  if (!texturing) glDisable(GL_TEXTURE_2D);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return true;
}

static int regionPowerOfTwo(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

bool regionCacheKeep(CachedRegion region, const WindowRect& rect) {
  RegionCopy* cache = &regionCopies[region];
  // The copy is read back from what was drawn: only where the read buffer is
  // the one drawn to and holds one sample per pixel is it those very pixels.
  GLint readBuffer = 0, drawBuffer = 0, sampleBuffers = 0;
  glGetIntegerv(GL_READ_BUFFER, &readBuffer);
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  if (readBuffer != drawBuffer || sampleBuffers != 0) return false;
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  const int width = regionPowerOfTwo(rect.width), height = regionPowerOfTwo(rect.height);
  if (!cache->texture) glGenTextures(1, &cache->texture);
  glBindTexture(GL_TEXTURE_2D, cache->texture);
  if (cache->textureWidth != width || cache->textureHeight != height) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    cache->textureWidth = width;
    cache->textureHeight = height;
  }
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, rect.x, rect.y, rect.width, rect.height);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  cache->rect = rect;
  return true;
}

void freeRegionCaches() {
  for (RegionCopy& cache : regionCopies) {
    if (cache.texture) glDeleteTextures(1, &cache.texture);
    cache = RegionCopy{};
  }
}
