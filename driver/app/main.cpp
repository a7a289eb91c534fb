// Program entry of driver: read the command line, enter the data folder,
// find a level that loads, start up, load it, loop until a close request,
// then tear down in reverse order.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

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
#include "platform/window.h"

// Started from a file manager or a launcher, nobody reads standard error:
// the reason also goes into a box.
static void tellNoLevelLoads(const LoadFailure& first) {
  char folder[PATH_MAX];
  const std::string here = getcwd(folder, sizeof folder) ? folder : ".";
  const std::string text = "No level in " + here +
                           "/LEVELS loads: each of LEVEL000.DAT .. LEVEL119.DAT is missing or damaged, or its "
                           "style in STYLES/ is.\n\nLevel " + std::to_string(first.levelNumber) + ": " +
                           first.reason;
  std::fprintf(stderr, "driver: no level in %s/LEVELS loads\n", here.c_str());
  const char* const buttons[] = {"Close"};
  messageBoxAlone(MessageBoxWarning, "driver cannot start", text.c_str(), buttons, 1);
}

int main(int argc, char** argv) {
  const StartRequest request = readStartArguments(argc, argv);
  if (request.exitNow) return request.exitStatus;
  // Refuse before the editor's window appears when the data folder lacks
  // LEVELS/ or STYLES/, or when no level and its style can be read there.
  if (enterDataFolder(request.dataDir) != 0) return 1;
  int startLevel = 0;
  LoadFailure skipped{};
  const int found = findStartLevel(&startLevel, &skipped);
  if (found == 2) tellNoLevelLoads(skipped);
  if (found != 0) return 1;
  if (startUp() != 0) return 1;
  editor.levelNumber = startLevel;
  if (loadCurrentLevel() != 0) {  // the loader has printed why
    shutDown();
    return 1;
  }
  noteLevelsSkippedAtStart(startLevel, skipped);
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
