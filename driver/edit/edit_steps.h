#pragma once
// Recording the user's edits as undo steps, and telling the user when an
// edit is refused.

// Runs one user action that may change the level. A change becomes one undo
// step, the title's note goes and the unsaved mark follows; an action that
// changed nothing (a refusal) leaves no step.
void editAsOneStep(void (*action)());
// The editor refused what the user asked for: one line on standard error and
// the reason after the title until the next edit, save or switch.
void refuseEdit(const char* format, ...) __attribute__((format(printf, 1, 2)));
