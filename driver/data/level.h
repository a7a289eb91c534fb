#pragma once
// The in-memory level and its element list, and the level file reader.
//
// A level file is always LevelFileSize bytes once decompressed, laid out as
// levelfile/layout.h describes. Positions in the file are pixels; in memory
// they are blocks (16 level pixels across) and rows (8 level pixels down).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "levelfile/layout.h"

constexpr int LevelPoolSize = 2500;        // element slots of one level
constexpr uint32_t FreeSlotValue = 0xFFFF; // `value` of a slot the pool freed

// Element kinds. The reader creates only cells and ObjectKindObject; binding
// to the style gives each object its definition's kind (3..9), which decides
// how it is drawn.
enum ObjectKind : uint32_t {
  ObjectKindTerrainCell = 1,      // one map cell
  ObjectKindTerrainPiece = 2,     // a style piece, repeated paramA+1 across and paramB+1 down
  ObjectKindFlaggedTiles = 3,     // repeated like a piece, neighbours a frame apart; flag word 1
  ObjectKindTiles = 4,            // repeated like a piece, neighbours a frame apart
  ObjectKindStill = 5,            // always its first frame
  ObjectKindComposite = 6,        // every part, each animated, at its own offset
  ObjectKindOutlined = 7,         // outlined in the alternate view; animated in one style only
  ObjectKindObject = 8,           // animated; also every object as read, before binding
  ObjectKindStillByOverride = 9,  // always its first frame; given by the per-style override table
};

// Pieces and both tile kinds repeat paramA + 1 times across and paramB + 1 down.
inline bool isTiledKind(uint32_t kind) {
  return kind == ObjectKindTerrainPiece || kind == ObjectKindFlaggedTiles || kind == ObjectKindTiles;
}

// Cells and pieces go into the map when saved; every other kind takes an object record.
inline bool isTerrainKind(uint32_t kind) {
  return kind == ObjectKindTerrainCell || kind == ObjectKindTerrainPiece;
}

// Selection of one element. A band in progress marks elements without
// deciding yet: bit 1 is "selected before the band", bit 0 "the band flips it".
enum SelectionState : uint32_t {
  NotSelected = 0,
  BandMarked = 1,    // becomes Selected when the band is released
  Selected = 2,
  BandUnmarked = 3,  // selected, and becomes NotSelected when the band is released
};

// One element: a terrain cell, a terrain piece or an object.
struct LevelObject {
  uint32_t value;        // block (kind 1), piece index (kind 2), object definition index (others); 0xFFFF once freed
  uint32_t paramA;       // kind 1: the cell's flag word as read; objects: record parameter A; kinds 2,3,4: extra copies across
  uint32_t paramB;       // kind 1: 0; objects: record parameter B; kinds 2,3,4: extra copies down
  uint32_t flags;        // flag word written to every map cell it covers; terrain: 0 or 0x4000
  LevelObject* prev;     // list links; a removed element keeps both so a walk can step on
  LevelObject* next;
  int32_t shiftX;        // position held in x,y minus the position stored in the file, blocks/rows
  int32_t shiftY;
  uint32_t width;        // extent in blocks
  uint32_t height;       // extent in rows
  const int32_t* cells;  // kind 2: the piece's cells (the style's BlockPattern cells)
  int32_t x;             // blocks from level column 0
  int32_t y;             // rows from level row 0
  uint32_t kind;         // ObjectKind, 1..9
  uint32_t state;        // SelectionState
  uint32_t inUse;        // 1 while linked into the list. The free mark lives here and not in
                         // `value`, because a map cell may legitimately hold block 0xFFFF.
  bool operator==(const LevelObject&) const = default;
};

// The pool lives on the heap so that two Level records can be swapped (a level
// switch loads into a fresh record first) without breaking the element links.
std::vector<LevelObject> makeFreePool();

// Everything a level holds besides its pool: the file's header fields, the
// size, the list's ends. An undo step keeps this record whole, so a field
// added here is undone with no further code; one added to Level outside it
// fails the size check below.
struct LevelHeader {
  char name[LevelNameSize + 1];          // the file's name bytes plus a terminating zero
  int32_t skillCode[LevelSkillSlots];   // skill code of each slot
  int32_t skillCount[LevelSkillSlots];  // uses of each slot
  int32_t timeMinutes;
  int32_t timeSeconds;
  int32_t style;          // style index 0..11, from the map header
  int32_t startX;         // start view (20 x 20 blocks) left edge, blocks
  int32_t startY;         // start view top edge, rows
  int32_t width;          // level width, blocks
  int32_t height;         // level height, rows
  uint32_t keptWord;      // file word at offset 86, carried through unchanged
  uint32_t objectCount;   // elements in the list
  int32_t releaseRate;    // negative for stored words above 16383
  int32_t titleStyle = -1;   // style the window title names: -1, as every load leaves it, the level
                             // number's group; after Ctrl+O the style of the file opened
  LevelObject* firstObject;  // oldest element, or none
  LevelObject* lastObject;   // newest element, or none
  uint32_t freeSearchFrom = 0;  // no slot below this index is free; kept by the list operations so
                                // filling a level is linear rather than quadratic in its elements
  bool operator==(const LevelHeader&) const = default;
};

struct Level : LevelHeader {
  std::vector<LevelObject> objectPool = makeFreePool();  // LevelPoolSize slots
};

// Level is its header and its pool and nothing more: it can be built from
// those two, and not from a third value of any type. (A size check would miss
// a field hidden in the header's tail padding.)
struct AnyLevelField {
  template <typename T>
  operator T() const;
};
template <typename... Parts>
concept LevelBuiltFrom = requires(Parts... parts) { Level{parts...}; };
static_assert(LevelBuiltFrom<LevelHeader, std::vector<LevelObject>> &&
                  !LevelBuiltFrom<LevelHeader, std::vector<LevelObject>, AnyLevelField>,
              "a field of Level outside LevelHeader would not be undone");

// List operations -----------------------------------------------------------

// Takes the first free slot, sets kind, value, x, y, paramA, paramB, links it
// last and returns it. Other fields keep what the slot held. Returns none, and
// changes nothing, when all LevelPoolSize slots are in use.
LevelObject* addObject(uint32_t kind, uint32_t value, int32_t x, int32_t y,
                       uint32_t paramA, uint32_t paramB, Level* level);

// Unlinks the element and frees its slot (value 0xFFFF). Its own prev/next
// stay as they were. Does nothing when the list is empty.
void removeObject(LevelObject* object, Level* level);

// Empties the list: no elements, every slot free.
void clearLevelObjects(Level* level);

// Calls visit(LevelObject&) on the first objectCount elements, oldest first.
// The count is read before the walk and each next link after its visit, so
// visit may remove the element it is given (a removed element keeps its links).
template <typename Visit>
void forEachElement(const Level& level, Visit visit) {
  const uint32_t count = level.objectCount;
  LevelObject* element = level.firstObject;
  for (uint32_t i = 0; i < count && element; ++i) {
    LevelObject* current = element;
    visit(*current);
    element = current->next;
  }
}

// Elements that take one of the file's object records, wherever they lie:
// the count placing and pasting hold at LevelObjectRecords.
int objectRecordCount(const Level& level);

// Reading -------------------------------------------------------------------

// Parses a whole level file image (plain FORM or GSCM-compressed) into level.
// 0 on success; 1 on failure with failureReason() set and level untouched.
int parseLevel(const uint8_t* data, size_t size, Level* level);
