// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "render/textures.h"

void blockTexelImage(const Style&, uint32_t, int, uint8_t) { }
void buildBlockTextures() { }
void freeBlockTextures() { }
void drawBlock(uint32_t, int, int) { }
unsigned* blockTextures = nullptr;
unsigned* maskTextures = nullptr;
int panelPass = 0;
