#pragma once
// A copy of one rectangle of the window kept in a texture and put back texel
// for pixel while what it shows is unchanged: for parts of the picture that
// cost many draw calls and rarely change. The drawer describes what the part
// shows (its key); the copy is reused only for the very same description.

#include <cstddef>
#include <cstdint>

// Window pixels, origin bottom-left as glReadPixels counts them.
struct WindowRect {
  int x, y, width, height;
  bool operator==(const WindowRect&) const = default;
};

// The parts kept. Their copies go with the block textures (freeBlockTextures),
// so a new level or a new context never sees an old copy.
enum CachedRegion { CachedTerrain, CachedItemBar, CachedRegionCount };

// The window pixels inside the viewport that the model-view rectangle
// (x0, y0)-(x1, y1) covers under the current matrices, when its corners land
// on whole pixels without turning or mirroring left and right; false
// otherwise, or when none are inside (then nothing can be cached).
bool rectInWindow(double x0, double y0, double x1, double y1, WindowRect* out);

// The current matrices and viewport, for keys of pictures drawn under them.
struct ViewState {
  float projection[16];
  float modelview[16];
  int viewport[4];
};
ViewState currentViewState();

// FNV-1a over bytes, continuing from hash: for keys that stand for contents.
constexpr uint64_t HashStart = 14695981039346656037ull;
uint64_t hashBytes(uint64_t hash, const void* bytes, size_t size);

// When the cache holds key's picture of rect: draws it back and returns true.
// Leaves the matrices, texturing and texture binding as it found them.
bool regionCacheDraw(CachedRegion region, const void* key, size_t keySize, const WindowRect& rect);

// Offers the picture of key just drawn into rect for keeping: it is copied
// from the read buffer when the frame before offered the very same, so a part
// that changes frame after frame (a pan, a hover) never pays for copies.
void regionCacheOffer(CachedRegion region, const void* key, size_t keySize, const WindowRect& rect);

void freeRegionCaches();  // deletes every copy; GL context current, safe when none is held
