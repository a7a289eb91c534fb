#pragma once
// The facts `levelkit info` prints about a level file, as plain text or JSON.

#include <nlohmann/json.hpp>
#include <string>

#include "data/level.h"
#include "levelfile/layout.h"

struct SkillSlot {
  int code;          // as stored
  int count;         // uses
  std::string name;  // as the skills program lists the code; empty for a code it lacks
};

struct LevelFacts {
  std::string name;       // UTF-8, up to the first zero byte, without the blanks that pad it
  int style;              // index as stored (may lie outside the table)
  std::string styleName;  // display name; empty outside the table
  int width, height;      // blocks and rows, as loaded
  int timeMinutes, timeSeconds;
  int releaseRate;
  SkillSlot skills[LevelSkillSlots];
  int terrainCells;       // non-empty map cells inside the level
  int objects;            // object records
  int startX, startY;     // start view, blocks and rows
  bool compressed;        // stored as a GSCM stream
};

// From a level as the reader leaves it (before binding drops anything).
LevelFacts factsOfLevel(const Level& level, bool compressed);

nlohmann::ordered_json factsToJson(const std::string& file, const LevelFacts& facts);  // "file", then the fields above
// The file, then one "key: value" line per fact; skills lists the slots that
// hold a skill or a count.
std::string factsToText(const std::string& file, const LevelFacts& facts);
