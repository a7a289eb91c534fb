#pragma once
// A copy of one rectangle of the window kept in a texture and put back texel
// for pixel while what it shows is unchanged: for parts of the picture that
// cost many draw calls and rarely change. The drawer describes what the part
// shows (its look); the copy is reused only for the very same look.

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

// The current matrices and viewport, for looks of pictures drawn under them.
struct ViewState {
  float projection[16];
  float modelview[16];
  int viewport[4];
  bool operator==(const ViewState&) const = default;
};
ViewState currentViewState();

// Draws the copy of region back when it was taken from rect; false when none
// is held for rect. Leaves the matrices, texturing and binding as it found them.
bool regionCacheDraw(CachedRegion region, const WindowRect& rect);

// Copies rect from the read buffer into region's copy; false (keeping the
// copy held before) where the read buffer does not hold the drawn pixels.
bool regionCacheKeep(CachedRegion region, const WindowRect& rect);

void freeRegionCaches();  // deletes every copy; GL context current, safe when none is held

// A part of the picture kept by what it shows. Look is a value compared with
// ==; the part is drawn by a function of its look alone, so nothing the look
// leaves out can reach the pixels, and a copy is never put back for a look
// other than the one it was drawn from.
template <class Look>
struct KeptPicture {
  CachedRegion region;
  Look held{};     // what the copy shows, while regionCacheDraw finds one
  Look offered{};  // what was drawn last, kept or not
};

// Puts back the copy of look, or draws look afresh and keeps its pixels when
// the frame before drew the very same, so a part that changes frame after
// frame (a pan, a hover) never pays for copies. rect is where the part lands
// in the window, or null where it cannot be copied (then it is always drawn).
template <class Look>
void drawKept(KeptPicture<Look>* kept, const Look& look, const WindowRect* rect, void (*draw)(const Look&)) {
  if (rect && look == kept->held && regionCacheDraw(kept->region, *rect)) return;
  draw(look);
  if (!rect) return;
  if (look == kept->offered && regionCacheKeep(kept->region, *rect)) kept->held = look;
  kept->offered = look;
}
