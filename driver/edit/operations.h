#pragma once
// Operations the keyboard and mouse apply to the level being edited.

struct LevelObject;

enum BandMode { BandAdd, BandToggle, BandFindHover, BandAnySelected };
int scanBand(int mode);            // findHover / anySelectedAt return 1 or 0
inline void markBand(int toggle) { scanBand(toggle ? BandToggle : BandAdd); }
inline int findHover() { return scanBand(BandFindHover); }
inline int anySelectedAt() { return scanBand(BandAnySelected); }

void clearSelection();
void dropMarks();
void commitMarks();
void moveSelection();
void deleteSelection();
void toggleTerrainFlag();
void selectAll();                      // every element of the level
void nudgeSelection(int dx, int dy);   // as a drag of the selection by dx blocks, dy rows: one undo step

void snapToCursor(LevelObject* object);  // x, y = the block column and row under the cursor
void chooseItem(int button);
void startNewObject(int listKind, int index);
void sizeNewObject();
void commitNewObject();  // refuses (with a notice) a 65th object or a full pool

int maxHeightForWidth(int width);
int maxWidthForHeight(int height);
void updatePendingResize();
// 1 when the drag being resized asks for a size the table does not allow,
// with that size in blocks and rows; 0 when it asks for nothing or an allowed size.
int resizeAskedOutsideTable(int* width, int* height);
void applyResize();
