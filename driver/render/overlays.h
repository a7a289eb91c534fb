#pragma once
// Editing overlays, drawn in client pixels over the level picture. Each leaves
// blending, depth test, line stipple and the colour mask as it found them
// (off, off, off, all channels on).

void drawStartView();     // StartViewReady / MovingStartView: green fading frame
void drawMargins();       // everything outside the level, and the dashed level edges
void drawResizeGuides();  // ResizingLevel: the pending edges
void drawHighlights();    // hovered, selected and new elements, each pixel tinted once
void drawBand();          // BandSelecting: the rubber band
void drawAltMarks();      // alternate view: red outlines of ObjectKindOutlined elements
