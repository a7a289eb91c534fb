#pragma once
// Copy, cut and paste of the selection as clipboard text (data/element_copy.h),
// and the keys that reach the system clipboard.

#include <string>

std::string selectionCopyText();  // the selected elements in list order; "" when none is selected
// Appends the copy in text so that its top-left block lands on (column, row),
// as one undo step, the pasted elements becoming the selection. Refuses the
// whole paste, with the reason after the title, when text holds no copy,
// the copy is of another style, or the level would pass its object or
// element limit. 0 when pasted.
int pasteCopyText(const std::string& text, int column, int row);
// Where Ctrl+V pastes: the block under the pointer, or the block under the
// view centre (brought inside the level) while the pointer is off the level.
void pasteBlock(int* column, int* row);

void copyToClipboard();   // Ctrl+C: the selection, when there is one
void cutToClipboard();    // Ctrl+X: copied, then deleted as one undo step
void pasteFromClipboard();  // Ctrl+V: at pasteBlock
