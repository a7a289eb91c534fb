#pragma once
// The skills a level's slots can hold: the code stored in the level file and
// the name people see, ordered by name. Codes run from 0x01 to 0x33, each once;
// code 0 in a slot means the slot is empty.

constexpr int SkillListSize = 51;

struct SkillEntry {
  int code;
  const char* name;  // 5 to 13 characters, plain ASCII
};

extern const SkillEntry SkillList[SkillListSize];  // ordered by name

// The name of a skill code; nullptr when the list has no such code.
const char* skillNameOfCode(int code);
