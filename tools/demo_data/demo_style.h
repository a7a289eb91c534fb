#pragma once
// The demo data set's own description of a style before it is stored: blocks
// in row-major order, patterns as cell grids, object definitions with parts
// naming animations by index, plus the roles the level builder places.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using BlockImage = std::array<uint8_t, 128>;  // 8 rows of 16 palette indices, top row first

// Blocks without repeats: identical pixels share one block number. Block 0 is
// the empty block (all palette index 0), which pieces treat as "no cell".
struct BlockSet {
  std::vector<BlockImage> blocks;
  std::map<BlockImage, uint16_t> numbers;
};
uint16_t addBlock(BlockSet* set, const BlockImage& image);  // number of the block with these pixels

// A picture several blocks large, cut into blocks when it becomes a pattern.
struct Canvas {
  int width = 0, height = 0;  // pixels; multiples of 16 and 8
  std::vector<uint8_t> pixels;
};
Canvas makeCanvas(int columns, int rows);                                  // all palette index 0
void putPixel(Canvas* canvas, int x, int y, uint8_t colour);               // ignores pixels outside
std::vector<uint16_t> cutIntoBlocks(const Canvas& canvas, BlockSet* set);  // row by row

struct DemoPattern {
  int width = 0, height = 0;                  // blocks and rows
  std::vector<std::vector<uint16_t>> frames;  // each width * height cells, row by row
};

struct DemoPart {
  uint8_t mode = 0;      // byte 1: 160 and 240 make part 0 choose kinds 4 and 3
  int16_t dxPixels = 0;  // offset from the object's position
  int16_t dyPixels = 0;
  uint8_t extra = 0;  // byte 9
  int anim = 0;       // animation index, stored as a record offset or an index link
};

struct DemoObjectDef {
  uint16_t typeCode = 0;
  std::vector<DemoPart> parts;
};

// Pieces and definitions the level builder knows by role.
struct StyleRoles {
  int fill[3];                 // ground fill 1x1, 2x2, 4x4 (no edges)
  int surface[3];              // ground top 1x2, 2x2, 4x2 (surface row over fill)
  int plate[2];                // flagged plates 2x2, 4x2
  std::vector<int> platforms;  // floating ledges and islands
  std::vector<int> boulders;   // shapes that stand on the ground
  std::vector<int> pillars;    // tall narrow shapes
  std::vector<int> tufts;      // small things on top of the ground
  int stairsUp, stairsDown;
  int hanging, capstone;  // under ceilings, on top of pillars
  int cliff[2];           // ground faces turned left and right, 1x1
  int entrance, exit, water, pool, chain, banner, portal;
  std::vector<int> decorations;  // single animated or still objects on the ground
  std::vector<int> hazards;
};

struct DemoStyle {
  int index = 0;
  uint8_t palette[128][3] = {};  // 6-bit levels, as stored
  BlockSet blocks;
  std::vector<DemoPattern> pieces;
  std::vector<DemoPattern> anims;
  std::vector<DemoObjectDef> objectDefs;
  StyleRoles roles = {};
  bool compressed = false;  // stored as a GSCM stream
};

// Builders, in the order they run.
void buildPaletteAndTerrain(DemoStyle* style);  // palette, terrain blocks and pieces
void buildObjects(DemoStyle* style);            // object sprites, animations, definitions
DemoStyle buildDemoStyle(int index);            // all of it

// Palette index of shade 0..13 of colour ramp 0..7.
constexpr uint8_t rampColour(int ramp, int shade) { return static_cast<uint8_t>(16 + ramp * 14 + shade); }
enum Ramp { RampGround, RampSurface, RampWall, RampPlate, RampLiquid, RampFire, RampBody, RampAccent };
constexpr uint8_t PaletteBlack = 1;
constexpr uint8_t PaletteWhite = 9;

// Small deterministic generator (splitmix64), the same on every machine.
struct DemoRng {
  uint64_t state;
  uint32_t next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 16);
  }
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint32_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }  // inclusive
};

// Hash of a pixel position, for textures that must repeat exactly.
uint32_t pixelHash(int x, int y, uint32_t seed);
