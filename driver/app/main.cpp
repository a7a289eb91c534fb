// Program entry of driver: read the command line, enter the data folder,
// start up, load level 0, loop until a close request, then tear down in
// reverse order.
#include "state/editor_state.h"
#include "app/start_folder.h"
#include "app/level_load.h"
#include "app/frame_pacing.h"
#include "app/journal.h"
#include "app/journal_offer.h"
#include "app/main_loop.h"
#include "platform/events.h"

int main(int argc, char** argv) {
  const StartRequest request = readStartArguments(argc, argv);
  if (request.exitNow) return request.exitStatus;
  // Refuse before the editor's window appears when level 0 or its style
  // cannot be read from the data folder.
  if (enterDataFolder(request.dataDir) != 0) return 1;
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
