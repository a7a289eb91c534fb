#pragma once
// Level elements as text, the form a copy takes on the system clipboard, so it
// can be pasted into another level of the same style, into a second driver,
// or kept in a text file.
//
// The text is one line naming the format and its version, then one JSON
// object (whitespace and key order free):
//
//   driver-elements 1
//   {"style":"QUORB","elements":[
//     {"kind":1,"value":12,"x":0,"y":3,"paramA":0,"paramB":0,"flags":16384},
//     {"kind":2,"value":4,"x":2,"y":0,"paramA":1,"paramB":0,"flags":0}]}
//
// style is the file stem of the style the values index (its blocks, pieces
// and object definitions): one to eight characters A-Z, 0-9 or _. Each
// element, in the level's list order: kind (1 terrain cell, 2 terrain piece,
// 3..9 object), value (block, piece or definition), x and y (its block
// position as the editor holds it, relative to the copy's top-left block),
// paramA, paramB and flags as the editor holds them. The rest of an element
// (extent, shift, cells) follows from the style when it is pasted.

#include <cstdint>
#include <string>
#include <vector>

#include "data/level.h"

constexpr const char* ElementCopyHeader = "driver-elements 1";  // the first line, without its line end
constexpr int ElementCopyMaxOffset = 1 << 15;  // |x|, |y| of an element: far past any level, never overflowing

struct CopiedElement {
  uint32_t kind;   // ObjectKind 1..9
  uint32_t value;  // 0..0xFFFF
  int32_t x, y;    // blocks and rows from the copy's top-left block
  uint32_t paramA, paramB, flags;  // 0..0xFFFF each
  bool operator==(const CopiedElement&) const = default;
};

struct ElementCopy {
  std::string style;                    // style file stem
  std::vector<CopiedElement> elements;  // 1..LevelPoolSize, list order
};

std::string elementCopyText(const ElementCopy& copy);
// 0 when text is a copy in this format within the bounds above; 1 otherwise,
// with out emptied. Checks nothing against a level or a style.
int parseElementCopy(const std::string& text, ElementCopy* out);
