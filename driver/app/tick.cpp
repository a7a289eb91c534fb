// The fixed-step animation tick: 120 ticks per second, one animation frame every 8 ticks.
#include <cmath>

#include "state/editor_state.h"
#include "app/main_loop.h"
#include "platform/timer.h"
#include "edit/panel_input.h"

void tick() {
  uint32_t elapsed = timerElapsed(&editor.timerStamp);
  editor.tickAccumulator += elapsed;
  // No cap: a long pause such as a level load is caught up in full.
  int due = static_cast<int>(std::floor(editor.tickAccumulator / TickLengthMs));
  editor.tickAccumulator -= due * TickLengthMs;
  for (int i = 0; i < due; i++) {
    if (++editor.animSubTick == TicksPerAnimationFrame) {
      editor.animSubTick = 0;
      editor.animFrame++;
    }
    // Every tick, so a new level with a shorter period wraps at once.
    if (editor.animFrame >= editor.animPeriod) editor.animFrame = 0;
    for (int p = 0; p < PanelCount; p++) panelTick(&editor.panels[p]);
  }
}
