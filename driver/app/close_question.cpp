// The question before closing with unsaved edits.
#include <cstdio>

#include "app/level_commands.h"
#include "platform/window.h"
#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_title.h"

int confirmClose() {
  const int unsaved = unsavedLevelCount();
  if (unsaved == 0) return 1;
  char text[160];
  std::snprintf(text, sizeof text, "%d %s unsaved edits.\nClose the editor and lose them?", unsaved,
                unsaved == 1 ? "level has" : "levels have");
  const char* const buttons[] = {"Close", "Cancel"};
  const int choice = messageBox(editor.window, MessageBoxWarning, "Unsaved edits", text, buttons, 2);
  if (choice == 0) return 1;
  // Without a box there is no way to ask, and the edits are worth more than
  // the close: the window stays, and says why.
  if (choice < 0) {
    std::fprintf(stderr, "driver: not closed: %d unsaved (%s)\n", unsaved, platformError());
    showTitleNote("not closed: %d unsaved", unsaved);
  }
  return 0;
}
