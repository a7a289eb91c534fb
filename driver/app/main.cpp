// Program entry of driver: read the command line, enter the data folder and
// find the first level that loads there, start up, load it, loop until a
// close request, then tear down in reverse order.
#include "state/editor_state.h"
#include "state/level_files.h"
#include "state/level_title.h"
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
  // Refuse before the editor's window appears when no level and its style
  // can be read from the data folder.
  StartLevel start{};
  if (enterDataFolder(request.dataDir, &start) != 0) return 1;
  if (startUp() != 0) return 1;
  editor.levelNumber = start.number;
  if (loadCurrentLevel() != 0) {  // the loader has printed why
    shutDown();
    return 1;
  }
  noteLevelsSkippedAtStart(start.number, start.skipped);
  startJournalWithOffer();
  const LoopSteps steps{renderFrame, waitForEvent};
  resetFramePacing();
  while (!editor.quit) {
    // Another program's write to LEVEL___.DAT may take the only copy of the
    // shown level's state away, or give it back.
    if (refreshSharedFile(false)) showCurrentTitle();
    loopPass(steps);
  }
  journalEnd();  // a close the question let through removes the journal; a signal keeps it
  freeCurrentLevel();
  shutDown();
  return 0;
}
