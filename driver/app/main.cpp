// Program entry of driver: start up, load level 0, loop until a close
// request, then tear down in reverse order.
#include "state/editor_state.h"
#include "app/level_load.h"
#include "app/frame_pacing.h"
#include "app/journal.h"
#include "app/journal_offer.h"
#include "app/main_loop.h"
#include "platform/events.h"

int main() {
  // Refuse before any window appears when level 0 or its style cannot be read.
  if (checkStartLevel() != 0) return 1;
  if (startUp() != 0) return 1;
  if (loadCurrentLevel() != 0) {  // the loader has printed why
    shutDown();
    return 1;
  }
  startJournalWithOffer();
  const LoopSteps steps{renderFrame, waitForEvent};
  resetFramePacing();
  while (!editor.quit) loopPass(steps);
  journalEnd();  // a close the question let through removes the journal; a signal keeps it
  freeCurrentLevel();
  shutDown();
  return 0;
}
