// The 120 demo levels: ground and platforms built from the style's pieces,
// flattened into map cells by the level writer, with an entrance, an exit and
// a handful of animated objects. Level n belongs to style n / 10; a few name
// another style on purpose.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "compress/gscm_compress.h"
#include "data/level_writer.h"
#include "demo_files.h"

namespace {

// Largest height the editor allows for a width.
int maxHeightForWidth(int width) {
  static const int widths[7] = {20, 24, 32, 40, 50, 64, 80}, heights[7] = {80, 64, 50, 40, 32, 24, 20};
  for (int i = 0; i < 7; i++)
    if (width <= widths[i]) return heights[i];
  return 0;
}

const char* const adjectives[20] = {
    "Quiet",   "Broken", "Hidden", "Golden",   "Crooked", "Silent",  "Hollow", "Windy",  "Lost",  "Narrow",
    "Ancient", "Upper",  "Lower",  "Restless", "Shining", "Tangled", "Sunken", "Gentle", "Steep", "Frozen"};
const char* const nouns[12][4] = {
    {"Meadow", "Terrace", "Orchard", "Hillside"}, {"Geode", "Cavern", "Prism", "Grotto"},
    {"Glacier", "Drift", "Icefall", "Tundra"},    {"Dunes", "Oasis", "Mesa", "Canyon"},
    {"Foundry", "Gantry", "Boiler", "Works"},     {"Caldera", "Vent", "Cinders", "Crater"},
    {"Thicket", "Grove", "Canopy", "Hollow"},     {"Temple", "Atrium", "Colonnade", "Vault"},
    {"Cloudbank", "Skyway", "Nimbus", "Updraft"}, {"Bog", "Marsh", "Fen", "Mire"},
    {"Bakery", "Sweetshop", "Parlour", "Pantry"}, {"Reef", "Lagoon", "Shoal", "Kelp Bed"},
};

struct Builder {
  Level* level;
  const DemoStyle& source;  // roles of pieces and definitions
  const Style& style;       // decoded and bound: sizes, kinds and shifts as the loader sees them
  DemoRng rng;
  std::vector<int> groundTop;  // per column; level height where there is a pit
  std::vector<uint8_t> taken;  // per cell: terrain or an object is there
  int objects = 0;
};

bool inside(const Builder& b, int x, int y) {
  return x >= 0 && y >= 0 && x < b.level->width && y < b.level->height;
}

bool isFree(const Builder& b, int x, int y, int w, int h) {
  for (int r = y; r < y + h; r++)
    for (int c = x; c < x + w; c++)
      if (!inside(b, c, r) || b.taken[static_cast<size_t>(r * b.level->width + c)]) return false;
  return true;
}

void take(Builder* b, int x, int y, int w, int h) {
  for (int r = y; r < y + h; r++)
    for (int c = x; c < x + w; c++)
      if (inside(*b, c, r)) b->taken[static_cast<size_t>(r * b->level->width + c)] = 1;
}

void placePiece(Builder* b, int piece, int x, int y, int across, int down, uint32_t flags = 0) {
  const BlockPattern& pattern = b->style.pieces[static_cast<size_t>(piece)];
  LevelObject* o = addObject(ObjectKindTerrainPiece, static_cast<uint32_t>(piece), x, y,
                             static_cast<uint32_t>(across), static_cast<uint32_t>(down), b->level);
  if (!o) return;
  o->width = pattern.width * static_cast<uint32_t>(across + 1);
  o->height = pattern.height * static_cast<uint32_t>(down + 1);
  o->cells = pattern.cells.data();
  o->flags = flags;
  o->shiftX = o->shiftY = 0;
  o->state = 0;
  take(b, x, y, static_cast<int>(o->width), static_cast<int>(o->height));
}

int pieceWidth(const Builder& b, int piece) {
  return static_cast<int>(b.style.pieces[static_cast<size_t>(piece)].width);
}
int pieceHeight(const Builder& b, int piece) {
  return static_cast<int>(b.style.pieces[static_cast<size_t>(piece)].height);
}

// An object whose picture starts at (x, y). The file holds the position less
// the definition's shift, which the loader adds back; a definition drawn from
// all its parts is anchored at its first part instead.
bool placeObject(Builder* b, int def, int x, int y, int across = 0, int down = 0) {
  if (b->objects >= 40) return false;
  const ObjectDef& d = b->style.objectDefs[static_cast<size_t>(def)];
  int fileX = x, fileY = y;
  if (d.kind != ObjectKindComposite) fileX -= d.shiftX, fileY -= d.shiftY;
  if (fileX < -1 || fileX >= b->level->width || fileY < -2 || fileY >= b->level->height) return false;
  LevelObject* o = addObject(ObjectKindObject, static_cast<uint32_t>(def), fileX, fileY,
                             static_cast<uint32_t>(across), static_cast<uint32_t>(down), b->level);
  if (!o) return false;
  o->shiftX = o->shiftY = 0;
  o->flags = 0;
  o->state = 0;
  b->objects++;
  return true;
}

int defWidth(const Builder& b, int def) { return b.style.objectDefs[static_cast<size_t>(def)].width; }
int defHeight(const Builder& b, int def) { return b.style.objectDefs[static_cast<size_t>(def)].height; }

// Greedy cover of columns [c0, c1) with pieces 4, 2 and 1 wide, repeated
// down over `rows` rows (the writer drops what falls below the level).
void coverColumns(Builder* b, const int pieces[3], int c0, int c1, int row, int rows, uint32_t flags = 0) {
  if (rows <= 0) return;
  int c = c0;
  for (int i = 2; i >= 0; i--) {
    int piece = pieces[i], w = pieceWidth(*b, piece), h = pieceHeight(*b, piece);
    int copies = (c1 - c) / w;
    if (copies == 0) continue;
    placePiece(b, piece, c, row, copies - 1, (rows + h - 1) / h - 1, flags);
    c += copies * w;
  }
}

// --- ground ------------------------------------------------------------------

void shapeGround(Builder* b) {
  int width = b->level->width, height = b->level->height;
  b->groundTop.assign(static_cast<size_t>(width), height);
  int top = height - 3 - b->rng.below(std::max(1, height / 5));
  int pits = 0;
  for (int c = 0; c < width;) {
    int run = b->rng.between(3, 8);
    if (c >= 5 && c + 10 < width && pits < 2 && b->rng.below(5) == 0) {
      run = 2 * b->rng.between(1, 3);  // a pit, later filled with water
      pits++;
    } else {
      top = std::clamp(top + b->rng.between(-2, 2), std::max(height / 2, height - 12), height - 2);
      for (int i = c; i < std::min(width, c + run); i++) b->groundTop[static_cast<size_t>(i)] = top;
    }
    c += run;
  }
}

void buildGround(Builder* b, bool plated) {
  const StyleRoles& roles = b->source.roles;
  int width = b->level->width, height = b->level->height;
  for (int c0 = 0; c0 < width;) {
    int top = b->groundTop[static_cast<size_t>(c0)], c1 = c0;
    while (c1 < width && b->groundTop[static_cast<size_t>(c1)] == top) c1++;
    if (top < height) {
      coverColumns(b, roles.fill, c0, c1, top + 2, height - top - 2);
      bool plate = plated && c1 - c0 >= 4 && c1 - c0 <= 8 && b->rng.below(3) == 0;
      const int plates[3] = {roles.fill[0], roles.plate[0], roles.plate[1]};
      coverColumns(b, plate ? plates : roles.surface, c0, c1, top, 2, plate ? 0x4000u : 0);
    } else {
      // A pit: a water surface a row below the lower rim, the pool below it,
      // and over some pits a rope bridge at the height of the left rim.
      int left = c0 > 0 ? b->groundTop[static_cast<size_t>(c0 - 1)] : height - 2;
      int right = c1 < width ? b->groundTop[static_cast<size_t>(c1)] : height - 2;
      int surface = std::min(height - 1, std::max(left, right) + 1), copies = (c1 - c0) / 2 - 1;
      placeObject(b, roles.water, c0, surface, copies);
      if (surface + 1 < height) placeObject(b, roles.pool, c0, surface + 1, copies, height - surface - 2);
      if (b->rng.below(2) == 0) placeObject(b, 16, c0, left, copies);
      take(b, c0, std::min(left, right) - 2, c1 - c0, height - std::min(left, right) + 2);
    }
    c0 = c1;
  }
  // Where the ground steps down, the face of the higher side gets an edge.
  for (int c = 1; c < width; c++) {
    int left = b->groundTop[static_cast<size_t>(c - 1)], right = b->groundTop[static_cast<size_t>(c)];
    if (left == right) continue;
    int column = left < right ? c - 1 : c, top = std::min(left, right), bottom = std::max(left, right);
    if (bottom - top < 2) continue;
    placePiece(b, roles.cliff[left < right ? 1 : 0], column, top + 1, 0, bottom - top - 2);
  }
}

// --- shapes and platforms ------------------------------------------------------

// A run of flat ground at least w wide, starting at a random place; -1 if none.
int findFlat(const Builder& b, int w, DemoRng* rng) {
  int width = b.level->width, start = rng->below(width);
  for (int k = 0; k < width; k++) {
    int c = (start + k) % width, top = b.groundTop[static_cast<size_t>(c)];
    if (c + w > width || top >= b.level->height) continue;
    bool flat = true;
    for (int i = c; i < c + w; i++) flat = flat && b.groundTop[static_cast<size_t>(i)] == top;
    if (flat) return c;
  }
  return -1;
}

void decorateGround(Builder* b) {
  const StyleRoles& roles = b->source.roles;
  int shapes = 1 + b->level->width / 16;
  // One draw of four picks a pillar, stairs, or (the other two) a boulder.
  enum GroundShape { GroundPillar, GroundStairs, GroundDraws = 4 };
  for (int k = 0; k < shapes; k++) {
    int piece;
    switch (b->rng.below(GroundDraws)) {
      case GroundPillar:
        piece = roles.pillars[static_cast<size_t>(b->rng.below(2))];
        break;
      case GroundStairs:
        piece = b->rng.below(2) ? roles.stairsUp : roles.stairsDown;
        break;
      default:
        piece = roles.boulders[static_cast<size_t>(b->rng.below(static_cast<int>(roles.boulders.size())))];
    }
    int w = pieceWidth(*b, piece), h = pieceHeight(*b, piece);
    int c = findFlat(*b, w, &b->rng);
    if (c < 0) continue;
    int y = b->groundTop[static_cast<size_t>(c)] - h;
    if (y < 4 || !isFree(*b, c, y, w, h)) continue;
    placePiece(b, piece, c, y, 0, 0);
    if (piece == roles.pillars[0] && isFree(*b, c, y - 1, 2, 1))
      placePiece(b, roles.capstone, c, y - 1, 0, 0);
  }
  for (int c = 0; c + 2 <= b->level->width; c += 2) {  // tufts along the ground
    int top = b->groundTop[static_cast<size_t>(c)];
    if (top >= b->level->height || b->groundTop[static_cast<size_t>(c + 1)] != top || b->rng.below(3) != 0)
      continue;
    if (isFree(*b, c, top - 1, 2, 1))
      placePiece(b, roles.tufts[static_cast<size_t>(b->rng.below(static_cast<int>(roles.tufts.size())))], c,
                 top - 1, 0, 0);
  }
}

// Something under a platform or on it: a hanging rock, a chain, a lantern, a
// gem above it or a decoration standing on it.
void dressPlatform(Builder* b, int x, int y, int w, int h) {
  const StyleRoles& roles = b->source.roles;
  int below = y + h;
  // One draw of six; the last leaves the platform bare.
  enum Dressing { DressRock, DressChain, DressLantern, DressGem, DressDecoration, DressBare, Dressings };
  switch (b->rng.below(Dressings)) {
    case DressRock:
      if (w >= 4 && isFree(*b, x + 1, below, 3, 3)) placePiece(b, roles.hanging, x + 1, below, 0, 0);
      break;
    case DressChain:
      if (isFree(*b, x + 1, below, 1, 4) && placeObject(b, roles.chain, x + 1, below, 0, 1))
        take(b, x + 1, below, 1, 4);
      break;
    case DressLantern:
      if (isFree(*b, x + w - 2, below, 1, 2) && placeObject(b, 19, x + w - 2, below))
        take(b, x + w - 2, below, 1, 2);
      break;
    case DressGem:
      if (isFree(*b, x + 1, y - 2, 1, 1) && placeObject(b, 11, x + 1, y - 2)) take(b, x + 1, y - 2, 1, 1);
      break;
    case DressDecoration: {
      int def =
          roles.decorations[static_cast<size_t>(b->rng.below(static_cast<int>(roles.decorations.size())))];
      int dw = defWidth(*b, def), dh = defHeight(*b, def);
      if (b->style.objectDefs[static_cast<size_t>(def)].kind != ObjectKindComposite && dw <= w &&
          isFree(*b, x + (w - dw) / 2, y - dh, dw, dh) && placeObject(b, def, x + (w - dw) / 2, y - dh))
        take(b, x + (w - dw) / 2, y - dh, dw, dh);
      break;
    }
    default:
      break;
  }
}

// Platforms in tiers every few rows above the ground, so that tall levels are
// furnished all the way up.
void buildPlatforms(Builder* b, bool plated) {
  const StyleRoles& roles = b->source.roles;
  int width = b->level->width, height = b->level->height;
  int groundMin = height;
  for (int top : b->groundTop) groundMin = std::min(groundMin, top);
  for (int y = groundMin - b->rng.between(6, 8); y >= 3; y -= b->rng.between(6, 9)) {
    int wanted = 1 + width / 22 + b->rng.below(2);
    for (int tries = 0; tries < 10 * wanted && wanted > 0; tries++) {
      int piece =
          roles.platforms[static_cast<size_t>(b->rng.below(static_cast<int>(roles.platforms.size())))];
      bool plate = plated && b->rng.below(5) == 0;
      if (plate) piece = roles.plate[1];
      int w = pieceWidth(*b, piece), h = pieceHeight(*b, piece);
      if (w + 2 > width) continue;
      int x = b->rng.between(1, width - w - 1), py = y - b->rng.below(2);
      if (py < 3 || !isFree(*b, x - 1, py - 3, w + 2, h + 3 + std::min(3, height - py - h))) continue;
      placePiece(b, piece, x, py, 0, 0, plate ? 0x4000u : 0);
      dressPlatform(b, x, py, w, h);
      wanted--;
    }
  }
}

// --- objects ---------------------------------------------------------------------

void placeEntranceAndExit(Builder* b) {
  const StyleRoles& roles = b->source.roles;
  int width = b->level->width;
  int ex = std::max(2, b->rng.between(2, std::max(2, width / 3)));
  int ground = b->groundTop[static_cast<size_t>(ex)];
  for (int i = ex; i < ex + 3; i++) ground = std::min(ground, b->groundTop[static_cast<size_t>(i)]);
  int ey = std::max(2, ground - b->rng.between(6, 10));
  placeObject(b, roles.entrance, ex, ey);
  take(b, ex - 1, ey - 1, 5, 3);
  b->level->startX = std::clamp(ex - 9, 0, width - 20);
  b->level->startY = std::clamp(ey - 8, 0, b->level->height - 20);

  int w = defWidth(*b, roles.exit), h = defHeight(*b, roles.exit);
  for (int tries = 0; tries < 40; tries++) {
    int c = findFlat(*b, w, &b->rng);
    if (c < 0 || (c < width / 2 && tries < 30)) continue;
    int y = b->groundTop[static_cast<size_t>(c)] - h;
    if (!isFree(*b, c, y, w, h)) continue;
    placeObject(b, roles.exit, c, y);
    take(b, c, y, w, h);
    return;
  }
}

void placeGroundObjects(Builder* b) {
  const StyleRoles& roles = b->source.roles;
  int count = 3 + b->rng.below(3) + b->level->width / 20;
  for (int placed = 0, tries = 0; placed < count && tries < count * 8; tries++) {
    int pick = b->rng.below(10);
    int def =
        pick < 6
            ? roles.decorations[static_cast<size_t>(b->rng.below(static_cast<int>(roles.decorations.size())))]
        : pick < 8  ? roles.hazards[static_cast<size_t>(b->rng.below(static_cast<int>(roles.hazards.size())))]
        : pick == 8 ? roles.banner
                    : roles.portal;
    int w = defWidth(*b, def), h = defHeight(*b, def);
    int c = findFlat(*b, w, &b->rng);
    if (c < 0) continue;
    int y = b->groundTop[static_cast<size_t>(c)] - h;
    const ObjectDef& d = b->style.objectDefs[static_cast<size_t>(def)];
    const bool composite = d.kind == ObjectKindComposite;
    int left = composite ? c - d.shiftX : c;  // a multi-part picture's first part may not be its left edge
    int top = composite ? y - d.shiftY : y;
    if (composite) c = left, y = top;
    if (!isFree(*b, c + (composite ? d.shiftX : 0), y + (composite ? d.shiftY : 0), w, h)) continue;
    if (!placeObject(b, def, c, y)) continue;
    take(b, c + (composite ? d.shiftX : 0), y + (composite ? d.shiftY : 0), w, h);
    placed++;
  }
  // Pools on the ground and birds or gems in the air.
  int c = findFlat(*b, 4, &b->rng);
  if (c >= 0 && b->rng.below(2) == 0) placeObject(b, roles.pool, c, b->groundTop[static_cast<size_t>(c)], 1);
  for (int k = 0; k < 2; k++) {
    int x = b->rng.between(1, b->level->width - 3), y = b->rng.between(1, b->level->height / 3);
    int def = k == 0 ? 23 : 13;
    if (isFree(*b, x, y, 2, 3)) {
      placeObject(b, def, x, y);
      take(b, x, y, 2, 3);
    }
  }
  if (b->rng.below(2) == 0) {  // a lift between the ground and the platforms
    int x = b->rng.between(1, b->level->width - 5), y = b->rng.between(4, b->level->height / 2);
    if (isFree(*b, x, y, 4, 1)) placeObject(b, 21, x, y, 1);
  }
}

void fillHeader(Level* level, int n, int styleIndex, DemoRng* rng) {
  char name[32];
  std::snprintf(name, sizeof name, "%s %s", adjectives[(n * 7 + styleIndex) % 20],
                nouns[styleIndex][(n + n / 10) % 4]);
  std::memset(level->name, 0, sizeof level->name);
  std::memcpy(level->name, name, std::min(LevelNameSize, std::strlen(name)));
  int code = rng->between(1, 51);
  for (int i = 0; i < 8; i++) {
    code = (code + rng->between(1, 11) - 1) % 51 + 1;
    level->skillCode[i] = code;
    level->skillCount[i] = rng->below(4) == 0 ? 0 : rng->between(1, 20);
  }
  level->timeMinutes = rng->between(2, 9);
  level->timeSeconds = rng->below(4) * 15;
  level->releaseRate = rng->between(1, 99);
  level->keptWord = 0;
}

}  // namespace

int demoLevelStyle(int n) {
  if (n == 37) return 8;  // levels that borrow another style's look
  if (n == 94) return 2;
  return n / 10;
}

bool demoLevelCompressed(int n) { return n % 3 == 1; }

std::vector<uint8_t> storeDemoLevel(int n, const std::vector<DemoStyle>& sources,
                                    const std::vector<Style>& styles) {
  int styleIndex = demoLevelStyle(n);
  Level level{};
  clearLevelObjects(&level);
  Builder b{&level,
            sources[static_cast<size_t>(styleIndex)],
            styles[static_cast<size_t>(styleIndex)],
            DemoRng{static_cast<uint64_t>(n) * 2654435761u + 99},
            {},
            {}};

  // Every width class in turn, and a height the editor allows for the width.
  int widthClass = (n * 3 + n / 10) % LevelWidthClasses;
  int widest = LevelWidthClassColumns[widthClass];
  int narrowest = widthClass == 0                     ? 65
                  : widthClass == LevelWidthClasses - 1 ? 20
                                                        : LevelWidthClassColumns[widthClass + 1] + 1;
  level.width = b.rng.between(narrowest, widest);
  level.height = b.rng.between(20, maxHeightForWidth(level.width));
  level.style = styleIndex;
  b.taken.assign(static_cast<size_t>(level.width * level.height), 0);
  fillHeader(&level, n, styleIndex, &b.rng);

  bool plated = n % 2 == 0;
  shapeGround(&b);
  buildGround(&b, plated);
  placeEntranceAndExit(&b);
  buildPlatforms(&b, plated);
  decorateGround(&b);
  placeGroundObjects(&b);

  std::vector<uint8_t> image(LevelFileSize);
  if (buildLevelImage(level, image.data()) != 0) return {};
  if (!demoLevelCompressed(n)) return image;
  GscmCompressOptions options;
  options.blockSize = n % 2 ? 1024 : 3000;
  options.maxRules = n % 5 == 0 ? 40 : 200;
  return compressMixed(image, n % 4 == 1 ? 94 : 0, options);  // some keep the header readable
}
