#pragma once
// EditorState: the one global record of driver. Every loop, timing, view,
// pointer, key and editing variable lives here and every subsystem reads and
// writes it directly (single thread, no locks).
//
// Each field notes its unit and range, its value before the first load
// (start), what every level load sets (load, in loadCurrentLevel) and who
// changes it afterwards.

#include <cstdint>
#include "data/level.h"
#include "data/style.h"
#include "state/edit_state.h"
#include "state/panel.h"

struct AppWindow;
struct GlContext;

// A change of the whole level asked for by a key. Replacing the level may
// replace its style, which the drawing and the item bar must follow, and the
// key handlers sit beside them rather than above; so the handler leaves the
// request here and the event loop carries it out at once.
enum LevelRequest : int {
  NoLevelRequest = 0,
  PreviousLevel = 1,  // Left: the level before, wrapping 0 -> 119
  NextLevel = 2,      // Right: the level after, wrapping 119 -> 0
  UndoRequest = 3,    // Ctrl+Z: the last edit undone
  RedoRequest = 4,    // Ctrl+Y, Ctrl+Shift+Z: the last undone edit again
  ReopenRequest = 5,  // Ctrl+O: LEVEL___.DAT in place of the current level
  TenLevelsBack = 6,     // Page Up: ten levels before, wrapping as PreviousLevel
  TenLevelsForward = 7,  // Page Down: ten levels after, wrapping as NextLevel
};

constexpr int LevelPageStep = 10;  // levels Page Up and Page Down step: one style group

// What the item bar lists. The values are the element kinds a chosen item
// starts from, so the bar kind and a placed item's kind share one code.
enum BarKind : int {
  BarPieces = ObjectKindTerrainPiece,  // terrain pieces of the style
  BarObjects = ObjectKindObject,       // object definitions of the style
};

// Level edges under the cursor or being dragged, as bits of edgeMask. A
// refused resize repeats its edges EdgeRefusedShift bits up, so the guides
// show it in red and the release knows to change nothing.
enum EdgeBit : int {
  EdgeLeft = 1,
  EdgeRight = 2,
  EdgeTop = 4,
  EdgeBottom = 8,
  EdgeBits = 15,  // all four edges, without a refusal
  EdgeRefusedShift = 4,
};

struct EditorState {
  // Application and timing -------------------------------------------------
  int quit;                  // start 0; nonzero ends the main loop (close event)
  int levelNumber;           // start 0; current level 0..119 (Left/Right keys)
  int levelRequest;          // start NoLevelRequest; set by a key, cleared by the event loop that serves it
  AppWindow* window;         // created at start-up; client size read by every layout
  GlContext* glContext;      // created at start-up, current for the whole run
  unsigned quadList;         // display list drawing one textured 16x8 block quad
  uint32_t timerStamp;       // ms stamp of the last timer reading (tick)
  double tickAccumulator;    // start 0.0; ms not yet consumed by whole ticks, [0, 8.333...)
  int animSubTick;           // start 0; tick within one animation frame, 0..7 (tick)
  int animFrame;             // start 0, not reset by a load; 0..animPeriod-1 (tick)
  int animPeriod;            // start 0; load: product of the style's frame counts
  char titleNote[160];       // start "", load ""; why the last save, reopen or edit failed, shown after
                             // the title until the next edit, save or switch (showTitleNote)

  // View (client pixels unless stated) --------------------------------------
  int zoom;                  // start 1, load 1; client pixels per level pixel, 1..8 (keys, wheel)
  int cameraX;               // start 0, load width*8; level-pixel x at the view centre (pan, resize)
  int cameraY;               // start 0, load height*4
  int viewCentreX;           // start 0, load cw/2; recomputed every frame by recentre
  int viewCentreY;           // start 0, load ch/2
  int originX;               // start 0, load cw/2 - width*8; viewCentreX - cameraX*zoom after recentre
  int originY;               // start 0, load ch/2 - height*4
  int itemSize;              // start 0, load 64; item cell size in pixels
  int altView;               // start 0, load 0; 1 = mask textures and special marks (Backspace)
  int statusLineShown;       // start 1, not reset by a load; 0 = no status line, every pixel as without one (F2)

  // Pointer and keys ------------------------------------------------------
  int mouseX, mouseY;        // start 0; last mouse position (every mouse move)
  int anchorX, anchorY;      // start 0, load 0; where the current drag started
  int dragDx, dragDy;        // start 0, load 0; mouse - anchor during a drag
  int dragBlocksX, dragBlocksY;  // start 0, load 0; drag rounded to whole blocks (16 and 8 level px)
  int dragPixelsX, dragPixelsY;  // start 0, load 0; pan distance in level pixels, rounded and clamped
  int buttonHeld;            // start 0, load 0; 1 from a press on the level until its release
  int shiftDown;             // start 0, not reset by a load; Shift (16) held
  int ctrlDown;              // start 0, not reset by a load; Ctrl (17) held
  int key32Down;             // start 0, not reset by a load; Space (32) held

  // Editing -----------------------------------------------------------------
  int editState;             // start Idle, load Idle; an EditState 0..9
  int edgeMask;              // start 0; EdgeBit set of the edges under the cursor; above EdgeBits refused
  int resizeDx, resizeDy;    // start 0; pending width/height change in blocks while resizing
  LevelObject* hoverObject;  // start none, load none; topmost element under the cursor
  LevelObject newObject;     // start all zero; the item being placed (not linked into the level)
  int newItemWidth;          // start 0; one copy of the chosen item, blocks
  int newItemHeight;         // start 0; rows
  int spanX, spanY;          // start 0, load 0; signed copy offsets while sizing a new object
  int barKind;               // start 0, load BarPieces; a BarKind
  int hoverItem;             // start 0, load -1; bar item under the cursor, -1 none (reset by every layout)
  int chosenItem;            // start 0, load -1; bar item being placed, -1 none (reset by every layout)
  int hoverPanel;            // start -1; panel under the cursor, -1 none
  int pressedPanel;          // start -1; panel holding the current press, -1 none
  Panel panels[PanelCount];  // 0 the item bar, 1 its scroll bar; laid out at load
};

extern EditorState editor;   // the one instance
extern Level currentLevel;   // the level being edited
extern Style currentStyle;   // its style

// Puts every field at its start value and drops the undo histories, the
// levels kept with edits and the records of what the files hold (used at
// start-up and by tests).
void resetEditorState();
