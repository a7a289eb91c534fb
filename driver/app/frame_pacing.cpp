// Drawing on change and resting in between.
#include "app/frame_pacing.h"

#include <algorithm>
#include <cmath>

#include "app/journal.h"
#include "app/main_loop.h"
#include "platform/events.h"
#include "state/editor_state.h"

// Set by anything that may change the picture, cleared by the frame drawn.
static bool frameOwed = true;

// What the tick can change on screen: the animation frame and the scroll bar.
struct TickedPicture {
  int animFrame;
  int value[PanelCount];
  unsigned activePart[PanelCount];
  int pointerOnPart[PanelCount];
  bool operator==(const TickedPicture&) const = default;
};

static TickedPicture tickedPicture() {
  TickedPicture p{};
  p.animFrame = editor.animFrame;
  for (int i = 0; i < PanelCount; ++i) {
    p.value[i] = editor.panels[i].value;
    p.activePart[i] = editor.panels[i].activePart;
    p.pointerOnPart[i] = editor.panels[i].pointerOnPart;
  }
  return p;
}

static bool scrollPartHeld() {
  for (const Panel& panel : editor.panels)
    if (panel.activePart != NoPart) return true;
  return false;
}

int restMilliseconds() {
  const int ticks = scrollPartHeld() ? 1 : TicksPerAnimationFrame - editor.animSubTick;
  const double ms = ticks * TickLengthMs - editor.tickAccumulator;
  return ms > 0.0 ? static_cast<int>(std::ceil(ms)) : 0;
}

void resetFramePacing() { frameOwed = true; }

void loopPass(const LoopSteps& steps) {
  const bool handled = drainEvents() > 0;
  if (handled) frameOwed = true;
  if (takeRepaintRequest()) frameOwed = true;
  const TickedPicture before = tickedPicture();
  tick();
  if (!(tickedPicture() == before)) frameOwed = true;
  journalPass(handled);
  if (frameOwed) {
    steps.drawFrame();
    frameOwed = false;
  } else {
    steps.rest(std::min(restMilliseconds(), journalRestMs()));  // a copy falls due while resting
  }
}
