#pragma once
// The scene drawn block by block: one bind and one display-list call per
// block through drawBlock, as the editor drew the level, the placed item and
// the item bar's thumbnails before it drew them from the block stack. The
// oracle of the pixel-identity test and the baseline of render_bench.
// Overlays and the scroll bar are the editor's own.
//
// Needs what drawScene needs: block textures built, editor.quadList, and for
// the item bar editor.window.

void drawSceneReference();  // drawScene, with level, placed item and item bar drawn block by block
