#pragma once
// The level scene drawn block by block: one bind and one display-list call per
// block through drawBlock, the way the editor drew before it batched blocks
// from the atlas. The oracle of the pixel-identity tests and the baseline of
// render_bench. Overlays and panels are the editor's own.
//
// Needs what drawScene needs: block textures built, editor.quadList, and for
// the panels editor.window.

void drawSceneReference();  // drawScene, with the level and the placed item drawn block by block
