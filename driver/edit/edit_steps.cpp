// Undo steps around the user's actions, and the notice of a refused one.
#include "edit/edit_steps.h"

#include <cstdarg>
#include <cstdio>

#include "state/editor_state.h"
#include "state/kept_levels.h"
#include "state/level_history.h"
#include "state/level_title.h"

void editAsOneStep(void (*action)()) {
  historyBegin();
  action();
  if (historyCommit(&currentHistory) != 0) clearTitleNote();
}

void refuseEdit(const char* format, ...) {
  char reason[sizeof editor.titleNote];
  va_list args;
  va_start(args, format);
  std::vsnprintf(reason, sizeof reason, format, args);
  va_end(args);
  std::fprintf(stderr, "driver: %s\n", reason);
  showTitleNote("%s", reason);
}
