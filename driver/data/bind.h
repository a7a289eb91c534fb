#pragma once
// Binding a freshly read level to its freshly read style: completes the
// object definitions (kind, extent, shift) and the level's elements.

#include <cstdint>
#include "data/level.h"
#include "data/style.h"

// The three passes: object definitions, terrain cells, objects.
void bindLevelToStyle(Style* style, Level* level);

// Product of the frame counts of all animations, unsigned 32-bit arithmetic;
// 1 (the empty product) for a style without animations.
uint32_t animPeriodOf(const Style& style);
