// The question before closing with unsaved edits: which levels hold them, and
// whether to save them all first.
#include <cstdio>
#include <string>
#include <vector>

#include "app/level_commands.h"
#include "edit/save_commands.h"
#include "platform/window.h"
#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_title.h"

constexpr size_t ClosedNamedLevels = 10;  // titles listed before "and N more"

enum CloseAnswer { SaveAllAndClose = 0, CloseWithoutSaving = 1, CancelClose = 2 };

// One title per line, as the title bar shows each level.
static std::string closeLevelList(const std::vector<int>& numbers) {
  std::string list;
  for (size_t i = 0; i < numbers.size() && i < ClosedNamedLevels; ++i) {
    const Level* level = nullptr;
    const LevelHistory* history = nullptr;
    if (!levelRecordOf(numbers[i], &level, &history)) continue;
    char title[260];
    formatTitleOf(numbers[i], *level, title, sizeof title);
    list += std::string("  ") + title + "\n";
  }
  if (numbers.size() > ClosedNamedLevels) list += "  and " + std::to_string(numbers.size() - ClosedNamedLevels) + " more\n";
  return list;
}

int confirmClose() {
  const std::vector<int> unsaved = unsavedLevelNumbers();
  if (unsaved.empty()) return 1;
  const std::string text = std::string(unsaved.size() == 1 ? "This level holds" : "These levels hold") +
                           " unsaved edits:\n" + closeLevelList(unsaved) +
                           "\nSave all saves each into its own file in LEVELS/.";
  const char* const buttons[] = {"Save all and close", "Close without saving", "Cancel"};
  const int choice = messageBox(editor.window, MessageBoxWarning, "Unsaved edits", text.c_str(), buttons, 3);
  if (choice == CloseWithoutSaving) return 1;
  // A failed save has said why in the title; the window stays with the edits.
  // So it does when a save left elements out: no file holds those whole.
  if (choice == SaveAllAndClose) return saveAllOwnFiles() == 0 && unsavedLevelNumbers().empty() ? 1 : 0;
  // Without a box there is no way to ask, and the edits are worth more than
  // the close: the window stays, and says why.
  if (choice < 0) {
    std::fprintf(stderr, "driver: not closed: %zu unsaved (%s)\n", unsaved.size(), platformError());
    showTitleNote("not closed: %zu unsaved", unsaved.size());
  }
  return 0;
}
