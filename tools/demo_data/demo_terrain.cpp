// Each style's palette and terrain: a theme picks colours and materials, the
// materials are drawn procedurally (textures that repeat every 32 x 16 pixels
// so neighbouring pieces meet without seams), and the pieces are shapes whose
// cells are dressed by their exposed edges.
#include "demo_style.h"

namespace {

enum Material {
  Soil,
  Rock,
  Brick,
  Crystal,
  Ice,
  Sand,
  Metal,
  Basalt,
  Wood,
  Marble,
  Cloud,
  Mud,
  Coral,
  Candy
};
enum Surface { Grass, Snow, Moss, Ripple, Bevel, CrystalTips, Frosting, Seaweed };

struct Theme {
  uint8_t sky[3];
  uint8_t ramps[8][3];  // ground, surface, wall, plate, liquid, fire, body, accent (mid tones)
  Material ground, wall;
  Surface surface, wallTop;
};

// Mid tones are 6-bit levels; ramps run from near black through them to near white.
// clang-format off
const Theme themes[12] = {
    {{2, 3, 10},
     {{34, 22, 12}, {14, 40, 10}, {30, 30, 34}, {32, 34, 40},
      {10, 24, 52}, {60, 34, 8}, {36, 22, 10}, {50, 10, 10}},
     Soil, Brick, Grass, Bevel},
    {{4, 0, 8},
     {{20, 14, 26}, {40, 16, 56}, {36, 14, 50}, {30, 30, 36},
      {16, 52, 12}, {60, 20, 50}, {26, 26, 30}, {10, 50, 56}},
     Rock, Crystal, CrystalTips, CrystalTips},
    {{0, 4, 14},
     {{30, 44, 56}, {58, 60, 63}, {28, 32, 40}, {36, 40, 46},
      {8, 30, 50}, {50, 56, 63}, {24, 30, 40}, {40, 10, 40}},
     Ice, Brick, Snow, Snow},
    {{12, 6, 2},
     {{52, 40, 20}, {58, 48, 28}, {48, 32, 16}, {44, 30, 10},
      {6, 30, 40}, {62, 40, 6}, {40, 24, 12}, {10, 44, 40}},
     Sand, Brick, Ripple, Bevel},
    {{2, 4, 4},
     {{36, 20, 10}, {40, 42, 44}, {30, 32, 36}, {34, 36, 40},
      {40, 48, 8}, {63, 30, 4}, {30, 32, 36}, {60, 50, 4}},
     Rock, Metal, Bevel, Bevel},
    {{8, 1, 1},
     {{14, 12, 14}, {26, 22, 22}, {24, 12, 10}, {30, 30, 30},
      {63, 24, 2}, {63, 50, 10}, {20, 16, 16}, {63, 40, 0}},
     Basalt, Brick, Bevel, Bevel},
    {{1, 6, 4},
     {{28, 18, 8}, {12, 36, 8}, {38, 24, 10}, {28, 30, 28},
      {6, 28, 30}, {60, 40, 10}, {30, 18, 6}, {50, 14, 30}},
     Soil, Wood, Moss, Moss},
    {{6, 4, 12},
     {{52, 50, 46}, {56, 44, 10}, {44, 42, 40}, {56, 44, 10},
      {4, 24, 50}, {63, 44, 16}, {46, 40, 30}, {20, 10, 50}},
     Marble, Brick, Bevel, Bevel},
    {{16, 28, 48},
     {{58, 58, 62}, {63, 63, 63}, {46, 40, 54}, {40, 44, 52},
      {20, 40, 60}, {63, 56, 20}, {50, 34, 40}, {63, 30, 40}},
     Cloud, Brick, Bevel, Bevel},
    {{4, 8, 4},
     {{22, 18, 8}, {18, 30, 6}, {24, 18, 10}, {24, 26, 24},
      {14, 24, 10}, {40, 60, 20}, {26, 20, 12}, {50, 40, 10}},
     Mud, Wood, Moss, Moss},
    {{20, 6, 20},
     {{26, 14, 6}, {62, 36, 50}, {62, 40, 52}, {50, 50, 56},
      {50, 20, 8}, {63, 40, 50}, {60, 50, 40}, {30, 50, 60}},
     Wood, Candy, Frosting, Frosting},
    {{0, 8, 20},
     {{44, 38, 24}, {8, 36, 20}, {56, 24, 24}, {30, 36, 40},
      {30, 50, 60}, {50, 60, 40}, {36, 30, 20}, {60, 40, 10}},
     Sand, Coral, Seaweed, Bevel},
};
// clang-format on

uint8_t clamp63(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 63 ? 63 : v); }

// Shade 0..13 of a ramp: dark up to the mid tone at shade 8, then towards white.
void fillRamp(uint8_t out[14][3], const uint8_t mid[3]) {
  for (int s = 0; s < 14; s++) {
    for (int c = 0; c < 3; c++) {
      int v = s <= 8 ? mid[c] * (2 + s * 6) / 50 : mid[c] + (63 - mid[c]) * (s - 8) * 12 / 100;
      out[s][c] = clamp63(v);
    }
  }
}

void buildPalette(const Theme& theme, uint8_t palette[128][3]) {
  for (int c = 0; c < 3; c++) {
    palette[0][c] = theme.sky[c];
    palette[PaletteBlack][c] = 0;
    palette[PaletteWhite][c] = 63;
  }
  for (int g = 2; g <= 8; g++)
    for (int c = 0; c < 3; c++) palette[g][c] = static_cast<uint8_t>(g * 7 - 6);
  for (int i = 10; i < 16; i++)  // lighter shades of the sky, for stars and haze
    for (int c = 0; c < 3; c++) palette[i][c] = clamp63(theme.sky[c] + (i - 9) * 5);
  for (int r = 0; r < 8; r++) fillRamp(palette + 16 + r * 14, theme.ramps[r]);
}

// --- materials -----------------------------------------------------------------

uint8_t materialTexel(Material m, int ramp, int x, int y, uint32_t seed) {
  x &= 31;
  y &= 15;
  uint32_t h = pixelHash(x, y, seed);
  int s = 6;
  switch (m) {
    case Soil:
      s = 5 + static_cast<int>(h % 3);
      if (h % 19 == 0) s = 9;
      if (h % 23 == 1) s = 2;
      break;
    case Rock: {
      uint32_t coarse = pixelHash(x / 4, y / 2, seed + 1);
      s = 5 + static_cast<int>(coarse % 3);
      if ((x + 2 * y) % 11 == 0 && coarse % 2) s = 9;
      if (h % 29 == 0) s = 2;
      break;
    }
    case Brick: {
      int course = (y / 4) % 2;
      int bx = (x + course * 8) % 16;
      if (y % 4 == 3 || bx == 15) return rampColour(ramp, 2);
      s = 6 + static_cast<int>(pixelHash(course, (x + course * 8) / 16 % 2, seed) % 3);
      if (y % 4 == 0 || bx == 0) s += 2;
      if (h % 17 == 0) s -= 1;
      break;
    }
    case Crystal: {
      int a = x + 2 * y, b = x - 2 * y + 64;
      if (a % 8 == 0 || b % 8 == 0) return rampColour(ramp, 12);
      s = 4 + (a / 8) % 2 * 2 + (b / 8) % 2 * 3;
      break;
    }
    case Ice:
      s = 9 + static_cast<int>(h % 2);
      if ((x - 2 * y + 64) % 16 < 2) s = 12;
      if (h % 41 == 0) s = 13;
      break;
    case Sand:
      s = 8 + (x + y) % 2 + (h % 3 == 0);
      if (h % 13 == 0) s = 5;
      break;
    case Metal: {
      int px = x % 16, py = y % 8;
      if (py == 0 || px == 0) return rampColour(ramp, 11);
      if (py == 7 || px == 15) return rampColour(ramp, 3);
      if ((px == 2 || px == 13) && (py == 2 || py == 5)) return rampColour(ramp, 13);
      if ((px == 3 || px == 14) && (py == 3 || py == 6)) return rampColour(ramp, 4);
      s = 7 + (h % 5 == 0);
      break;
    }
    case Basalt:
      s = 3 + static_cast<int>(h % 2);
      if ((x * 5 + y * 11) % 23 == 0 || (x * 3 - y * 7 + 64) % 29 == 0)
        return rampColour(RampFire, 8 + static_cast<int>(h % 3));
      break;
    case Wood: {
      int plank = (y / 4) % 4;
      if (y % 4 == 3 || (x + plank * 13) % 32 == 0) return rampColour(ramp, 3);
      s = 7;
      if ((x + static_cast<int>(pixelHash(plank, 0, seed) % 16)) % 11 == 0) s = 5;
      if (y % 4 == 0) s = 9;
      break;
    }
    case Marble:
      s = 11 + static_cast<int>(h % 2);
      if ((x + static_cast<int>(pixelHash(y / 4, 9, seed) % 5) + y * 3) % 19 == 0) s = 7;
      break;
    case Cloud:
      s = 12;
      if (y % 8 >= 6 || (x % 8 == 0 && y % 8 == 5)) s = 10;
      if (h % 31 == 0) s = 13;
      break;
    case Mud:
      s = 4 + static_cast<int>(h % 2);
      if (h % 17 == 0) s = 7;
      if (h % 23 == 0) s = 2;
      break;
    case Coral:
      s = pixelHash(x / 2, y / 2, seed) % 5 == 0 ? 3 : 8 + static_cast<int>(h % 2);
      if ((x + y) % 6 == 0) s = 11;
      break;
    case Candy:
      if ((x + y) / 4 % 2) return rampColour(RampAccent, 10);
      s = 11;
      break;
  }
  return rampColour(ramp, s);
}

// --- edges ---------------------------------------------------------------------

// Exposed sides of a cell inside its piece.
enum Edge { EdgeTop = 1, EdgeBottom = 2, EdgeLeft = 4, EdgeRight = 8 };

// The top layer over an exposed top edge; x is the absolute pixel column so
// the silhouette lines up across neighbouring blocks.
void dressTop(Surface surface, int ramp, int x, uint32_t seed, uint8_t column[8]) {
  uint32_t h = pixelHash(x & 31, 77, seed);
  int bump = static_cast<int>(h % 3);
  switch (surface) {
    case Grass:
    case Seaweed: {
      int top = surface == Grass ? 2 : 1;
      for (int y = 0; y < top; y++) column[y] = 0;
      if (h % 3 == 0) column[top - 1] = rampColour(RampSurface, 10);  // a blade sticking up
      if (surface == Seaweed && h % 4 == 1) column[0] = rampColour(RampSurface, 9);
      for (int y = top; y < top + 3; y++)
        column[y] = rampColour(RampSurface, 6 + static_cast<int>((h >> (y * 2)) % 4));
      if (h % 5 == 0) column[top + 3] = rampColour(RampSurface, 5);
      break;
    }
    case Moss:
      for (int y = 0; y < 1 + (bump == 2); y++) column[y] = 0;
      column[1] = column[1] == 0 ? 0 : rampColour(RampSurface, 9);
      column[2] = rampColour(RampSurface, 7);
      if (h % 3 != 0) column[3] = rampColour(RampSurface, 6);
      if (h % 7 == 0) column[4] = column[5] = rampColour(RampSurface, 5);  // a hanging strand
      break;
    case Snow:
      if (bump == 2) column[0] = 0;
      for (int y = bump == 2 ? 1 : 0; y < 3; y++) column[y] = rampColour(RampSurface, 13 - y);
      if (h % 4 == 0) column[3] = rampColour(RampSurface, 10);  // drips
      if (h % 9 == 0) column[4] = rampColour(RampSurface, 9);
      break;
    case Ripple:
      if (bump == 0) column[0] = 0;
      column[1] = rampColour(RampSurface, 12);
      column[2] = rampColour(RampSurface, (x % 4 < 2) ? 10 : 9);
      break;
    case Bevel:
      column[0] = rampColour(ramp, 12);
      column[1] = rampColour(ramp, 10);
      break;
    case CrystalTips: {
      int spike = static_cast<int>(h % 4);
      for (int y = 0; y < 4; y++) column[y] = y < spike ? 0 : rampColour(RampSurface, 13 - y);
      break;
    }
    case Frosting:
      column[0] = bump == 0 ? 0 : rampColour(RampSurface, 12);
      column[1] = column[2] = rampColour(RampSurface, 11);
      column[3] = rampColour(RampSurface, 9);
      if (h % 3 == 0) column[4] = rampColour(RampSurface, 9);  // icing runs down
      if (h % 9 == 0) column[5] = rampColour(RampSurface, 8);
      break;
  }
}

// One cell of a piece: the material texture at its absolute place, dressed
// by its exposed edges.
BlockImage paintCell(Material m, int ramp, Surface top, int edges, int cx, int cy, uint32_t seed) {
  BlockImage image;
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 16; x++)
      image[static_cast<size_t>(y * 16 + x)] = materialTexel(m, ramp, cx * 16 + x, cy * 8 + y, seed);
  for (int x = 0; x < 16; x++) {
    uint32_t h = pixelHash((cx * 16 + x) & 31, 55, seed);
    uint8_t column[8];
    for (int y = 0; y < 8; y++) column[y] = image[static_cast<size_t>(y * 16 + x)];
    if (edges & EdgeTop) dressTop(top, ramp, cx * 16 + x, seed, column);
    if (edges & EdgeBottom) {
      column[6] = rampColour(ramp, 3);
      column[7] = h % 3 == 0 ? 0 : rampColour(ramp, 2);
    }
    for (int y = 0; y < 8; y++) image[static_cast<size_t>(y * 16 + x)] = column[y];
  }
  for (int y = 0; y < 8; y++) {
    uint32_t h = pixelHash(y, cy & 1, seed + 3);
    uint8_t* row = &image[static_cast<size_t>(y * 16)];
    if ((edges & EdgeLeft) && row[1] != 0) {
      row[0] = h % 2 ? 0 : rampColour(ramp, 3);
      if (!(edges & EdgeTop) || y > 2) row[1] = rampColour(ramp, 10);
    }
    if ((edges & EdgeRight) && row[14] != 0) {
      row[15] = h % 3 == 0 ? 0 : rampColour(ramp, 2);
      row[14] = rampColour(ramp, 3);
    }
  }
  // Rounded outer corners.
  if ((edges & EdgeTop) && (edges & EdgeLeft)) image[0] = image[1] = image[16] = 0;
  if ((edges & EdgeTop) && (edges & EdgeRight)) image[14] = image[15] = image[31] = 0;
  if ((edges & EdgeBottom) && (edges & EdgeLeft)) image[112] = image[113] = image[96] = 0;
  if ((edges & EdgeBottom) && (edges & EdgeRight)) image[126] = image[127] = image[111] = 0;
  return image;
}

// Piece shapes. '.' empty; 'f' ground fill; 't' ground under its surface;
// 'g' ground dressed on every exposed side; 'l', 'r' ground facing left, right; 'w' wall fill; 'W' wall
// dressed; 'p' flagged plate.
struct Shape {
  const char* rows[12];
};

bool filledAt(const Shape& shape, int width, int height, int c, int r) {
  return c >= 0 && r >= 0 && c < width && r < height && shape.rows[r][c] != '.';
}

DemoPattern makePiece(DemoStyle* style, const Theme& theme, const Shape& shape) {
  DemoPattern piece;
  while (piece.height < 12 && shape.rows[piece.height]) piece.height++;
  piece.width = static_cast<int>(std::string(shape.rows[0]).size());
  uint32_t seed = static_cast<uint32_t>(style->index) * 7919u + 17u;
  std::vector<uint16_t> cells;
  for (int r = 0; r < piece.height; r++) {
    for (int c = 0; c < piece.width; c++) {
      char code = shape.rows[r][c];
      if (code == '.') {
        cells.push_back(0);
        continue;
      }
      int edges = 0;
      if (!filledAt(shape, piece.width, piece.height, c, r - 1)) edges |= EdgeTop;
      if (!filledAt(shape, piece.width, piece.height, c, r + 1)) edges |= EdgeBottom;
      if (!filledAt(shape, piece.width, piece.height, c - 1, r)) edges |= EdgeLeft;
      if (!filledAt(shape, piece.width, piece.height, c + 1, r)) edges |= EdgeRight;
      BlockImage image;
      switch (code) {
        case 'f':
          image = paintCell(theme.ground, RampGround, theme.surface, 0, c, r, seed);
          break;
        case 't':
          image = paintCell(theme.ground, RampGround, theme.surface, edges & EdgeTop, c, r, seed);
          break;
        case 'g':
          image = paintCell(theme.ground, RampGround, theme.surface, edges, c, r, seed);
          break;
        case 'l':
          image = paintCell(theme.ground, RampGround, theme.surface, EdgeLeft, c, r, seed);
          break;
        case 'r':
          image = paintCell(theme.ground, RampGround, theme.surface, EdgeRight, c, r, seed);
          break;
        case 'w':
          image = paintCell(theme.wall, RampWall, theme.wallTop, 0, c, r, seed + 1);
          break;
        case 'W':
          image = paintCell(theme.wall, RampWall, theme.wallTop, edges, c, r, seed + 1);
          break;
        default:
          image = paintCell(Metal, RampPlate, Bevel, 0, c, r, seed + 2);
          break;
      }
      cells.push_back(addBlock(&style->blocks, image));
    }
  }
  piece.frames.push_back(cells);
  return piece;
}

// Small plants and stones on top of the ground, drawn freely.
DemoPattern makeTuft(DemoStyle* style, int variant) {
  Canvas canvas = makeCanvas(2, 1);
  DemoRng rng{static_cast<uint64_t>(style->index * 131 + variant)};
  for (int stem = 0; stem < 7; stem++) {
    int x = 3 + rng.below(26), height = 2 + rng.below(5);
    for (int y = 0; y < height; y++)
      putPixel(&canvas, x + (y > 2 ? (stem % 2) : 0), 7 - y, rampColour(RampSurface, 5 + y));
    if (variant == 1 && stem % 2 == 0) {  // flowers
      putPixel(&canvas, x, 7 - height, rampColour(RampAccent, 11));
      putPixel(&canvas, x - 1, 7 - height, rampColour(RampAccent, 9));
      putPixel(&canvas, x + 1, 7 - height, rampColour(RampAccent, 9));
    }
  }
  if (variant == 2)  // a few pebbles
    for (int p = 0; p < 4; p++) {
      int x = 2 + p * 7 + rng.below(3);
      putPixel(&canvas, x, 7, rampColour(RampWall, 6));
      putPixel(&canvas, x + 1, 7, rampColour(RampWall, 8));
      putPixel(&canvas, x + 1, 6, rampColour(RampWall, 10));
    }
  DemoPattern piece;
  piece.width = 2;
  piece.height = 1;
  piece.frames.push_back(cutIntoBlocks(canvas, &style->blocks));
  return piece;
}

// clang-format off
const Shape shapes[] = {
    {{"f"}},                                                   // 0 fill 1x1
    {{"ff", "ff"}},                                            // 1 fill 2x2
    {{"ffff", "ffff", "ffff", "ffff"}},                        // 2 fill 4x4
    {{"t", "f"}},                                              // 3 surface 1x2
    {{"tt", "ff"}},                                            // 4 surface 2x2
    {{"tttt", "ffff"}},                                        // 5 surface 4x2
    {{"pp", "pp"}},                                            // 6 plate 2x2
    {{"pppp", "pppp"}},                                        // 7 plate 4x2
    {{"gggg"}},                                                // 8 ledge 4x1
    {{"gggggg", ".gggg."}},                                    // 9 ledge 6x2
    {{"gggggggg", ".gggggg.", "..gggg..", "...gg..."}},        // 10 island 8x4
    {{".gg.", "gggg", "gggg"}},                                // 11 boulder 4x3
    {{"..gggg..", ".gggggg.", "gggggggg", "gggggggg", "gggggggg", "gggggggg"}},  // 12 mound 8x6
    {{"WW", "WW", "WW", "WW", "WW", "WW", "WW", "WW"}},        // 13 pillar 2x8
    {{"WWWW", ".WW.", ".WW.", ".WW.", ".WW.", ".WW.", ".WW.", ".WW.", ".WW.", "WWWW"}},  // 14 column 4x10
    {{"...g", "..gg", ".ggg", "gggg"}},                        // 15 stairs up 4x4
    {{"g...", "gg..", "ggg.", "gggg"}},                        // 16 stairs down 4x4
    {{"WWWW", "WwwW", "WwwW", "WWWW"}},                        // 17 wall block 4x4
    {{"WWWWWWWW", "WWwwwwWW", "WW....WW", "WW....WW", "WW....WW", "WW....WW"}},  // 18 arch 8x6
    {{"WWW", "WWW", ".W."}},                                   // 19 hanging rock 3x3
    {{"WWWWWWWW"}},                                            // 20 bridge 8x1
    {{"....gggg....", "..gggggggg..", ".gggggggggg.", "gggggggggggg", "gggggggggggg"}},  // 21 plateau 12x5
    {{"WW"}},                                                  // 22 capstone 2x1
    {{"l"}},                                                   // 23 ground facing left
    {{"r"}},                                                   // 24 ground facing right
};
// clang-format on

}  // namespace

void buildPaletteAndTerrain(DemoStyle* style) {
  const Theme& theme = themes[style->index];
  buildPalette(theme, style->palette);
  addBlock(&style->blocks, BlockImage{});  // block 0: the empty block
  for (const Shape& shape : shapes) style->pieces.push_back(makePiece(style, theme, shape));
  int tuftBase = static_cast<int>(style->pieces.size());
  for (int variant = 0; variant < 3; variant++) style->pieces.push_back(makeTuft(style, variant));

  StyleRoles& roles = style->roles;
  roles.fill[0] = 0, roles.fill[1] = 1, roles.fill[2] = 2;
  roles.surface[0] = 3, roles.surface[1] = 4, roles.surface[2] = 5;
  roles.plate[0] = 6, roles.plate[1] = 7;
  roles.platforms = {8, 9, 10, 20, 21};
  roles.boulders = {11, 12, 17, 18};
  roles.pillars = {13, 14};
  roles.stairsUp = 15;
  roles.stairsDown = 16;
  roles.tufts = {tuftBase, tuftBase + 1, tuftBase + 2};
  roles.hanging = 19;
  roles.capstone = 22;
  roles.cliff[0] = 23, roles.cliff[1] = 24;
}
