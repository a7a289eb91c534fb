// Each style's objects: sprites drawn frame by frame on canvases, cut into
// blocks, and the object definitions that show them. The definitions cover
// every kind the binding knows: part modes 160 and 240, type codes 2, 3 (with
// several parts at negative offsets), 6 and 9, and plain ones.
#include <cstdlib>

#include "demo_style.h"

namespace {

// --- drawing helpers -----------------------------------------------------------

void fillRect(Canvas* c, int x0, int y0, int x1, int y1, uint8_t colour) {  // x1, y1 exclusive
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) putPixel(c, x, y, colour);
}

void disc(Canvas* c, int cx, int cy, int r, int ramp, int shade) {
  for (int y = -r; y <= r; y++)
    for (int x = -r; x <= r; x++)
      if (x * x + y * y <= r * r + r) {
        int s = shade + (y < 0 ? 2 : 0) - (y > r / 2 ? 2 : 0) + (x < 0 && y < 0 ? 1 : 0);
        putPixel(c, cx + x, cy + y, rampColour(ramp, s < 0 ? 0 : s > 13 ? 13 : s));
      }
}

// A line from the centre outwards in one of eight directions.
void ray(Canvas* c, int cx, int cy, int direction, int length, uint8_t colour) {
  static const int dx[8] = {2, 1, 0, -1, -2, -1, 0, 1}, dy[8] = {0, 1, 2, 1, 0, -1, -2, -1};
  for (int t = 0; t <= length; t++) {
    putPixel(c, cx + dx[direction & 7] * t / 2, cy + dy[direction & 7] * t / 2, colour);
    putPixel(c, cx + dx[direction & 7] * t / 2 + (dy[direction & 7] != 0), cy + dy[direction & 7] * t / 2,
             colour);
  }
}

// A flame whose shape changes with the frame; (x, y) is its base.
void flame(Canvas* c, int x, int y, int frame, int side, uint32_t seed) {
  int height = 4 + static_cast<int>(pixelHash(frame, side, seed) % 4);
  for (int t = 0; t < height; t++) {
    int half = t < height / 2 ? 2 : 1;
    int lean = (pixelHash(frame, t + side * 16, seed) % 3 == 0) ? (frame % 2 ? 1 : -1) : 0;
    for (int k = -half; k <= half; k++) {
      int shade = 13 - std::abs(k) * 3 - t * 6 / height;
      putPixel(c, x + k + (t > 2 ? lean : 0), y - t, rampColour(RampFire, shade < 3 ? 3 : shade));
    }
  }
}

int triangle(int x, int period, int amplitude) {  // 0..amplitude..0 over one period
  int p = ((x % period) + period) % period;
  return (p < period / 2 ? p : period - p) * amplitude * 2 / period;
}

// --- sprites ---------------------------------------------------------------------

enum Sprite {
  SpriteExit,
  SpriteHatch,
  SpriteHatchLamp,
  SpriteWater,
  SpriteTrap,
  SpritePool,
  SpriteSign,
  SpriteLamp,
  SpriteChain,
  SpritePole,
  SpriteCloth,
  SpriteBush,
  SpriteTorch,
  SpriteGem,
  SpriteFan,
  SpriteBubbles,
  SpritePennant,
  SpriteSpikes,
  SpriteBridge,
  SpriteCrystal,
  SpritePortalSide,
  SpritePortalCore,
  SpriteLantern,
  SpriteStatue,
  SpriteLift,
  SpriteMushroom,
  SpriteBird,
};

struct SpriteSize {
  int width, height, frames;
};
// clang-format off
const SpriteSize spriteSizes[] = {
    {3, 4, 4}, {3, 2, 2}, {1, 2, 1}, {2, 1, 8}, {2, 2, 2}, {2, 1, 2}, {1, 2, 1}, {1, 2, 4}, {1, 2, 1},
    {1, 4, 1}, {2, 2, 3}, {2, 2, 1}, {1, 2, 4}, {1, 1, 1}, {2, 2, 2}, {1, 3, 3}, {1, 2, 2}, {2, 1, 1},
    {2, 1, 1}, {2, 2, 1}, {1, 3, 1}, {2, 3, 4}, {1, 2, 2}, {2, 3, 1}, {2, 1, 2}, {2, 2, 1}, {2, 1, 2},
};
// clang-format on

// Three shapes of exit, so that styles differ: a round arch under a lintel,
// a square door under a gabled roof, and a pointed door in a mound of rock.
enum ExitShape { ExitArch, ExitGabled, ExitPointed, ExitShapes };

bool exitBody(int shape, int x, int y) {
  int dx = x - 24;
  switch (shape) {
    case ExitArch:
      return (y >= 2 && y < 9 && x >= 1 && x < 47) || (y >= 9 && x >= 2 && x < 46);
    case ExitGabled:
      return (y < 9 && std::abs(dx) <= y * 3 + 1) || (y >= 9 && x >= 4 && x < 44);
    default:
      return dx * dx + (y - 32) * (y - 32) * 3 < 24 * 24 + 40;
  }
}

bool exitDoor(int shape, int x, int y) {
  int dx = x - 24, dy = y - 16;
  switch (shape) {
    case ExitArch:
      return x >= 13 && x < 35 && y >= 12 && (y >= 18 || dx * dx + dy * dy * 4 < 150);
    case ExitGabled:
      return x >= 15 && x < 33 && y >= 13;
    default:
      return std::abs(dx) * 3 < (y - 9) * 2 && y >= 11 && std::abs(dx) < 11;
  }
}

void drawExit(Canvas* c, int f, uint32_t seed, int shape) {
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 48; x++) {
      if (exitDoor(shape, x, y)) {
        putPixel(c, x, y, y >= 25 ? rampColour(RampFire, 2 + (y - 25) / 2) : PaletteBlack);
      } else if (exitBody(shape, x, y)) {
        // Light from the top left: edges facing it are lighter.
        bool lit = !exitBody(shape, x - 1, y) || !exitBody(shape, x, y - 1) || exitDoor(shape, x + 1, y);
        bool shaded = !exitBody(shape, x + 1, y) || exitDoor(shape, x - 1, y);
        int shade =
            lit      ? 11
            : shaded ? 4
                     : 7 + ((x * 7 + y * 3 + static_cast<int>(pixelHash(x / 6, y / 4, seed) % 3)) % 9 == 0);
        if (shape == ExitArch && (y == 8 || (y >= 9 && (x == 11 || x == 36)))) shade = 4;
        putPixel(c, x, y, rampColour(RampBody, shade));
      }
      if (y >= 30) putPixel(c, x, y, rampColour(RampBody, y == 30 ? 10 : 5));
    }
  for (int side = 0; side < 2; side++) {
    int tx = side ? 41 - (shape == ExitPointed) * 3 : 6 + (shape == ExitPointed) * 3;
    fillRect(c, tx - 1, 17, tx + 2, 21, rampColour(RampBody, 3));
    flame(c, tx, 16, f, side, seed);
  }
  fillRect(c, 20, 4 + (shape == ExitGabled) * 3, 28, 7 + (shape == ExitGabled) * 3,
           rampColour(RampAccent, 10));  // the sign
}

// A flat box, or a dome, with flaps underneath that part on the second frame.
void drawHatch(Canvas* c, int f, int shape) {
  for (int y = 0; y < 12; y++)
    for (int x = 2; x < 46; x++) {
      int dx = x - 24, dy = 12 - y;
      if (shape == 1 && dx * dx + dy * dy * 14 > 22 * 22 + 40) continue;  // rounded top
      int shade = y == 0 ? 12 : y == 11 ? 3 : x == 2 ? 10 : x == 45 ? 4 : 7 + (x % 11 == 0);
      if (shape == 1 && (dx * dx + (dy + 1) * (dy + 1) * 14 > 22 * 22 + 40)) shade = 12;  // rim light
      putPixel(c, x, y, rampColour(RampBody, shade));
    }
  for (int x = 6; x < 42; x += 6) fillRect(c, x, 3, x + 2, 5, rampColour(RampPlate, 12));
  int gap = f == 0 ? 0 : 3;  // the flaps part a little on the second frame
  fillRect(c, 8, 12, 24 - gap, 15, rampColour(RampPlate, 8));
  fillRect(c, 24 + gap, 12, 40, 15, rampColour(RampPlate, 8));
  if (gap) fillRect(c, 24 - gap, 12, 24 + gap, 16, PaletteBlack);
  putPixel(c, 5, 6, rampColour(RampAccent, f == 0 ? 13 : 5));
  putPixel(c, 42, 6, rampColour(RampAccent, f == 1 ? 13 : 5));
}

void drawHatchLamp(Canvas* c) {
  fillRect(c, 7, 6, 9, 16, rampColour(RampBody, 6));
  disc(c, 8, 4, 3, RampFire, 10);
}

void drawWater(Canvas* c, int f) {
  for (int x = 0; x < 32; x++) {
    int level = 1 + triangle(x + f * 4, 16, 3);
    for (int y = level; y < 8; y++) {
      int shade = y == level ? 12 : 7 + ((x + y * 3 + f * 2) % 9 == 0 ? 3 : 0) - (y > 5);
      putPixel(c, x, y, rampColour(RampLiquid, shade));
    }
  }
}

void drawTrap(Canvas* c, int f) {
  fillRect(c, 12, 12, 20, 16, rampColour(RampBody, 5));
  for (int blade = 0; blade < 4; blade++)
    ray(c, 16, 7, f + blade * 2, 12, rampColour(RampPlate, 10 + blade % 2 * 2));
  disc(c, 16, 7, 2, RampAccent, 9);
}

void drawPool(Canvas* c, int f, uint32_t seed) {
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 32; x++) putPixel(c, x, y, rampColour(RampLiquid, y == 0 ? 11 : 8 - y / 3));
  for (int b = 0; b < 3; b++) {
    int bx = 4 + static_cast<int>(pixelHash(b, 1, seed) % 24), by = 6 - (f + b) % 3 * 2;
    putPixel(c, bx, by, rampColour(RampLiquid, 13));
    putPixel(c, bx + 1, by, rampColour(RampLiquid, 12));
  }
}

void drawSign(Canvas* c) {
  fillRect(c, 7, 6, 9, 16, rampColour(RampBody, 5));
  fillRect(c, 1, 1, 15, 7, rampColour(RampBody, 10));
  for (int t = 0; t < 5; t++)
    fillRect(c, 3 + t * 2, 4 - (t > 2 ? 4 - t : t) / 2, 5 + t * 2, 4 + (t > 2 ? 4 - t : t) / 2,
             rampColour(RampAccent, 8));
}

void drawLamp(Canvas* c, int f, uint32_t seed) {
  fillRect(c, 7, 8, 9, 16, rampColour(RampPlate, 6));
  fillRect(c, 5, 7, 11, 9, rampColour(RampPlate, 9));
  flame(c, 8, 6, f, 3, seed);
}

void drawChain(Canvas* c) {
  for (int link = 0; link < 4; link++) {
    int y = link * 4;
    uint8_t colour = rampColour(RampPlate, link % 2 ? 8 : 11);
    if (link % 2)
      fillRect(c, 7, y, 9, y + 4, colour);
    else {
      fillRect(c, 6, y, 10, y + 1, colour);
      fillRect(c, 6, y + 3, 10, y + 4, colour);
      putPixel(c, 5, y + 1, colour), putPixel(c, 5, y + 2, colour), putPixel(c, 10, y + 1, colour),
          putPixel(c, 10, y + 2, colour);
    }
  }
}

void drawPole(Canvas* c) {
  fillRect(c, 1, 2, 3, 32, rampColour(RampBody, 8));
  fillRect(c, 0, 30, 5, 32, rampColour(RampBody, 5));
  disc(c, 2, 1, 1, RampAccent, 11);
}

void drawCloth(Canvas* c, int f) {
  for (int x = 2; x < 32; x++) {
    int wave = triangle(x + f * 5, 15, 3) * (32 - x) / 30;
    for (int y = 2; y < 11; y++) {
      int s = y < 5 ? 10 : 8;
      if (x % 8 == 0) s -= 2;
      putPixel(c, x, y + wave, rampColour(y < 5 || y > 8 ? RampAccent : RampSurface, s));
    }
  }
}

void drawBush(Canvas* c, uint32_t seed) {
  DemoRng rng{seed + 5};
  for (int k = 0; k < 9; k++)
    disc(c, 6 + rng.below(20), 8 + rng.below(5), 3 + rng.below(3), RampSurface, 6 + rng.below(3));
  for (int k = 0; k < 5; k++) putPixel(c, 5 + rng.below(22), 5 + rng.below(8), rampColour(RampAccent, 11));
}

void drawTorch(Canvas* c, int f, uint32_t seed) {
  fillRect(c, 6, 9, 10, 11, rampColour(RampBody, 9));
  fillRect(c, 7, 11, 9, 16, rampColour(RampBody, 5));
  flame(c, 8, 8, f, 5, seed);
}

void drawGem(Canvas* c, int f) {
  for (int y = 0; y < 8; y++) {
    int half = y < 3 ? y * 2 + 1 : (7 - y) * 3 / 2;
    for (int x = -half; x <= half; x++) putPixel(c, 8 + x, y, rampColour(RampAccent, x < 0 ? 11 : 8 - y / 3));
  }
  static const int sparkX[3] = {6, 9, 8}, sparkY[3] = {2, 3, 5};
  putPixel(c, sparkX[f], sparkY[f], PaletteWhite);
}

void drawFan(Canvas* c, int f) {
  fillRect(c, 15, 8, 17, 16, rampColour(RampBody, 5));
  for (int blade = 0; blade < 4; blade++)
    ray(c, 16, 7, f + blade * 2, 10, rampColour(RampBody, 9 + blade % 2 * 3));
  disc(c, 16, 7, 1, RampPlate, 12);
}

void drawBubbles(Canvas* c, int f, uint32_t seed) {
  for (int b = 0; b < 3; b++) {
    int x = 4 + static_cast<int>(pixelHash(b, 7, seed) % 8), y = 22 - ((f * 8 + b * 8) % 24);
    int r = 1 + b % 2;
    for (int a = -r; a <= r; a++) {
      putPixel(c, x + a, y - r, rampColour(RampLiquid, 12));
      putPixel(c, x + a, y + r, rampColour(RampLiquid, 9));
      putPixel(c, x - r, y + a, rampColour(RampLiquid, 11));
      putPixel(c, x + r, y + a, rampColour(RampLiquid, 10));
    }
  }
}

void drawPennant(Canvas* c, int f) {
  fillRect(c, 3, 0, 4, 16, rampColour(RampBody, 9));
  for (int x = 4; x < 14; x++) {
    int drop = f ? (x > 8) : 0;
    int half = (14 - x) * 3 / 10;
    for (int y = 3 - half; y <= 3 + half; y++) putPixel(c, x, y + drop, rampColour(RampAccent, 9 + (y < 3)));
  }
}

void drawSpikes(Canvas* c) {
  for (int s = 0; s < 4; s++)
    for (int y = 0; y < 8; y++) {
      int half = y / 2;
      for (int x = -half; x <= half; x++)
        putPixel(c, s * 8 + 4 + x, y, rampColour(RampPlate, x < 0 ? 12 : 7));
    }
}

void drawBridge(Canvas* c) {
  for (int x = 0; x < 32; x++) {
    putPixel(c, x, 1, rampColour(RampBody, 4));
    if (x % 4 != 3) fillRect(c, x, 4, x + 1, 7, rampColour(RampBody, x % 4 == 0 ? 10 : 8));
  }
  for (int x = 0; x < 32; x += 8) fillRect(c, x, 1, x + 1, 5, rampColour(RampBody, 3));
}

void drawCrystal(Canvas* c, uint32_t seed) {
  DemoRng rng{seed + 9};
  for (int k = 0; k < 4; k++) {
    int x = 5 + k * 7 + rng.below(3), height = 6 + rng.below(8);
    for (int y = 0; y < height; y++)
      for (int w = -1; w <= 1; w++)
        putPixel(c, x + w, 15 - y, rampColour(RampAccent, y == height - 1 ? 13 : w < 0 ? 11 : 8 - w));
  }
}

void drawPortalSide(Canvas* c, int f) {
  fillRect(c, 3, 0, 13, 24, rampColour(RampWall, 7));
  fillRect(c, 3, 0, 4, 24, rampColour(RampWall, 11));
  for (int rune = 0; rune < 3; rune++)
    fillRect(c, 6, 3 + rune * 7, 10, 6 + rune * 7, rampColour(RampAccent, (rune + f) % 2 ? 13 : 5));
}

void drawPortalCore(Canvas* c, int f) {
  for (int y = 0; y < 24; y++)
    for (int x = 0; x < 32; x++) {
      int dx = x - 16, dy = (y - 12) * 4 / 3;
      int d = dx * dx + dy * dy;
      if (d < 200) putPixel(c, x, y, rampColour(RampAccent, 4 + ((d / 24 + 4 - f) % 4) * 3));
    }
}

void drawLantern(Canvas* c, int f) {
  int sway = f ? 1 : 0;
  fillRect(c, 8, 0, 9, 5, rampColour(RampPlate, 6));
  fillRect(c, 5 + sway, 5, 12 + sway, 14, rampColour(RampPlate, 5));
  fillRect(c, 6 + sway, 6, 11 + sway, 13, rampColour(RampFire, 11));
  fillRect(c, 7 + sway, 8, 10 + sway, 11, rampColour(RampFire, 13));
}

void drawStatue(Canvas* c) {
  fillRect(c, 4, 20, 28, 24, rampColour(RampWall, 9));
  fillRect(c, 9, 9, 23, 20, rampColour(RampWall, 7));
  fillRect(c, 9, 9, 11, 20, rampColour(RampWall, 10));
  disc(c, 16, 5, 4, RampWall, 8);
  putPixel(c, 14, 5, rampColour(RampAccent, 12));
  putPixel(c, 18, 5, rampColour(RampAccent, 12));
}

void drawLift(Canvas* c, int f) {
  fillRect(c, 0, 1, 32, 7, rampColour(RampPlate, 8));
  fillRect(c, 0, 1, 32, 2, rampColour(RampPlate, 12));
  fillRect(c, 0, 6, 32, 7, rampColour(RampPlate, 3));
  for (int k = 0; k < 4; k++) putPixel(c, 4 + k * 8, 4, rampColour(RampAccent, (k + f) % 2 ? 13 : 4));
}

void drawMushroom(Canvas* c, int f) {
  fillRect(c, 13, 8, 19, 16, rampColour(RampBody, 11));
  for (int y = 0; y < 9; y++) {
    int half = y < 5 ? 6 + y * 2 : 14;
    for (int x = -half; x < half; x++)
      putPixel(c, 16 + x, y + 1, rampColour(RampAccent, 6 + (y < 3) * 3 + f));
  }
  for (int k = 0; k < 4; k++) disc(c, 7 + k * 6, 3 + k % 2 * 3, 1, RampSurface, 12);
}

void drawBird(Canvas* c, int f) {
  int wing = f == 0 ? -2 : 2;
  fillRect(c, 12, 3, 20, 6, rampColour(RampAccent, 9));
  putPixel(c, 20, 3, rampColour(RampFire, 11));
  for (int x = 0; x < 8; x++) {
    putPixel(c, 12 - x, 4 + wing * x / 8, rampColour(RampAccent, 7));
    putPixel(c, 20 + x, 4 + wing * x / 8, rampColour(RampAccent, 7));
  }
}

void drawSprite(Sprite sprite, Canvas* c, int f, uint32_t seed, int variant) {
  switch (sprite) {
    case SpriteExit:
      drawExit(c, f, seed, variant % ExitShapes);
      break;
    case SpriteHatch:
      drawHatch(c, f, variant % 2);
      break;
    case SpriteHatchLamp:
      drawHatchLamp(c);
      break;
    case SpriteWater:
      drawWater(c, f);
      break;
    case SpriteTrap:
      drawTrap(c, f);
      break;
    case SpritePool:
      drawPool(c, f, seed);
      break;
    case SpriteSign:
      drawSign(c);
      break;
    case SpriteLamp:
      drawLamp(c, f, seed);
      break;
    case SpriteChain:
      drawChain(c);
      break;
    case SpritePole:
      drawPole(c);
      break;
    case SpriteCloth:
      drawCloth(c, f);
      break;
    case SpriteBush:
      drawBush(c, seed);
      break;
    case SpriteTorch:
      drawTorch(c, f, seed);
      break;
    case SpriteGem:
      drawGem(c, f);
      break;
    case SpriteFan:
      drawFan(c, f);
      break;
    case SpriteBubbles:
      drawBubbles(c, f, seed);
      break;
    case SpritePennant:
      drawPennant(c, f);
      break;
    case SpriteSpikes:
      drawSpikes(c);
      break;
    case SpriteBridge:
      drawBridge(c);
      break;
    case SpriteCrystal:
      drawCrystal(c, seed);
      break;
    case SpritePortalSide:
      drawPortalSide(c, f);
      break;
    case SpritePortalCore:
      drawPortalCore(c, f);
      break;
    case SpriteLantern:
      drawLantern(c, f);
      break;
    case SpriteStatue:
      drawStatue(c);
      break;
    case SpriteLift:
      drawLift(c, f);
      break;
    case SpriteMushroom:
      drawMushroom(c, f);
      break;
    case SpriteBird:
      drawBird(c, f);
      break;
  }
}

DemoPattern makeAnimation(DemoStyle* style, Sprite sprite) {
  const SpriteSize& size = spriteSizes[sprite];
  DemoPattern anim;
  anim.width = size.width;
  anim.height = size.height;
  uint32_t seed = static_cast<uint32_t>(style->index) * 104729u + static_cast<uint32_t>(sprite);
  for (int f = 0; f < size.frames; f++) {
    Canvas canvas = makeCanvas(size.width, size.height);
    drawSprite(sprite, &canvas, f, seed, style->index);
    anim.frames.push_back(cutIntoBlocks(canvas, &style->blocks));
  }
  return anim;
}

// --- definitions -----------------------------------------------------------------

constexpr uint8_t ModeRepeated = 0xF0;  // part 0 mode for kind 3
constexpr uint8_t ModeTiled = 0xA0;     // part 0 mode for kind 4

struct PartPlan {
  Sprite sprite;
  uint8_t mode;
  int16_t dx, dy;  // pixels
};
struct DefinitionPlan {
  uint16_t typeCode;
  PartPlan parts[3];
  int partCount;
};

// clang-format off
const DefinitionPlan definitionPlans[] = {
    {0, {{SpriteExit, 0, 0, 0}}, 1},                                                              // 0 exit
    {3, {{SpriteHatch, 0, 0, 0}, {SpriteHatchLamp, 0, -16, -8}, {SpriteHatchLamp, 0, 48, -8}}, 3},  // 1 entrance
    {0, {{SpriteWater, ModeRepeated, 0, 0}}, 1},                                                  // 2 water
    {0, {{SpriteTrap, 0, 0, 0}}, 1},                                                              // 3 trap
    {0, {{SpritePool, ModeTiled, 0, 0}}, 1},                                                      // 4 pool
    {2, {{SpriteSign, 0, 0, 0}}, 1},                                                              // 5 sign
    {9, {{SpriteLamp, 0, 0, 0}}, 1},                                                              // 6 lamp
    {6, {{SpriteChain, 0, 0, 0}}, 1},                                                             // 7 chain
    {3, {{SpritePole, ModeTiled, 0, 0}, {SpriteCloth, 0, -32, 0}}, 2},                            // 8 banner
    {0, {{SpriteBush, 0, 0, 0}}, 1},                                                              // 9 bush
    {0, {{SpriteTorch, 0, 0, 0}}, 1},                                                             // 10 torch
    {0, {{SpriteGem, 0, 0, 0}}, 1},                                                               // 11 gem
    {0, {{SpriteFan, 0, 0, 0}}, 1},                                                               // 12 fan
    {0, {{SpriteBubbles, 0, 0, 0}}, 1},                                                           // 13 bubbles
    {0, {{SpritePennant, 0, 0, 0}}, 1},                                                           // 14 pennant
    {0, {{SpriteSpikes, 0, 0, 0}}, 1},                                                            // 15 spikes
    {0, {{SpriteBridge, ModeRepeated, 0, 0}}, 1},                                                 // 16 rope bridge
    {2, {{SpriteCrystal, 0, 0, 0}}, 1},                                                           // 17 crystals
    {3, {{SpritePortalCore, 0, 0, 0}, {SpritePortalSide, 0, -16, 0}, {SpritePortalSide, 0, 32, 0}}, 3},  // 18 portal
    {9, {{SpriteLantern, 0, 0, 0}}, 1},                                                           // 19 lantern
    {0, {{SpriteStatue, 0, 0, 0}}, 1},                                                            // 20 statue
    {6, {{SpriteLift, 0, 0, 0}}, 1},                                                              // 21 lift
    {0, {{SpriteMushroom, 0, 0, 0}}, 1},                                                          // 22 mushroom
    {0, {{SpriteBird, 0, 0, 0}}, 1},                                                              // 23 bird
};
// clang-format on

// Some styles' stored definitions name the wrong animation for their first
// part and the loader puts it right; the stored files keep that quirk.
struct StoredQuirk {
  int style, def, anim;
};
const StoredQuirk storedQuirks[] = {{4, 13, 18}, {5, 13, 18}, {7, 6, 14}};

void swapAnimations(DemoStyle* style, int a, int b) {
  std::swap(style->anims[static_cast<size_t>(a)], style->anims[static_cast<size_t>(b)]);
  for (DemoObjectDef& def : style->objectDefs)
    for (DemoPart& part : def.parts) part.anim = part.anim == a ? b : part.anim == b ? a : part.anim;
}

}  // namespace

void buildObjects(DemoStyle* style) {
  // Animation 0 is a record without cells, which no definition uses.
  style->anims.push_back(DemoPattern{0, 0, {{}}});
  int spriteAnim[SpriteBird + 1];
  for (int s = 0; s <= SpriteBird; s++) spriteAnim[s] = -1;
  for (const DefinitionPlan& plan : definitionPlans) {
    DemoObjectDef def;
    def.typeCode = plan.typeCode;
    for (int p = 0; p < plan.partCount; p++) {
      const PartPlan& part = plan.parts[p];
      if (spriteAnim[part.sprite] < 0) {
        spriteAnim[part.sprite] = static_cast<int>(style->anims.size());
        style->anims.push_back(makeAnimation(style, part.sprite));
      }
      DemoPart stored;
      stored.mode = part.mode;
      stored.dxPixels = part.dx;
      stored.dyPixels = part.dy;
      stored.extra = static_cast<uint8_t>(style->objectDefs.size());
      stored.anim = spriteAnim[part.sprite];
      def.parts.push_back(stored);
    }
    style->objectDefs.push_back(def);
  }
  for (const StoredQuirk& quirk : storedQuirks) {
    if (quirk.style != style->index) continue;
    DemoPart& first = style->objectDefs[static_cast<size_t>(quirk.def)].parts[0];
    swapAnimations(style, first.anim, quirk.anim);
    first.anim = 1;  // what the stored file says; the loader's correction fixes it
  }
  StyleRoles& roles = style->roles;
  roles.exit = 0, roles.entrance = 1, roles.water = 2, roles.pool = 4, roles.chain = 7, roles.banner = 8,
  roles.portal = 18;
  roles.decorations = {5, 6, 9, 10, 11, 12, 13, 14, 17, 19, 20, 22};
  roles.hazards = {3, 15};
}

DemoStyle buildDemoStyle(int index) {
  DemoStyle style;
  style.index = index;
  buildPaletteAndTerrain(&style);
  buildObjects(&style);
  return style;
}
