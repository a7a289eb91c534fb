#pragma once
// Binding a freshly read level to its freshly read style: completes the
// object definitions (kind, extent, shift) and the level's elements.

#include <cstdint>
#include "data/level.h"
#include "data/style.h"

// The three passes: object definitions, terrain cells, objects.
void bindLevelToStyle(Style* style, Level* level);

// Product of the frame counts of all animations, unsigned 32-bit arithmetic;
// 1 for a style without animations (an empty product), never a divisor of 0
// unless a frame count is 0 or the product wraps to 0.
uint32_t animPeriodOf(const Style& style);
