#include "levelfile/skill_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

TEST(SkillList, EveryCodeOnceInNameOrder) {
  std::set<int> codes;
  int twoWordNames = 0;
  std::string previous;
  for (const SkillEntry& entry : SkillList) {
    const std::string name = entry.name;
    EXPECT_GE(name.size(), 5u) << name;
    EXPECT_LE(name.size(), 13u) << name;
    EXPECT_LT(previous, name);
    twoWordNames += name.find(' ') != std::string::npos;
    codes.insert(entry.code);
    previous = name;
  }
  EXPECT_EQ(codes.size(), size_t(SkillListSize));
  EXPECT_EQ(*codes.begin(), 0x01);
  EXPECT_EQ(*codes.rbegin(), 0x33);
  EXPECT_EQ(twoWordNames, 12);
}

TEST(SkillList, NameOfCodeFindsListedCodesOnly) {
  for (const SkillEntry& entry : SkillList) EXPECT_STREQ(skillNameOfCode(entry.code), entry.name);
  for (int code : {0, 0x34, 0xFF, -1}) EXPECT_EQ(skillNameOfCode(code), nullptr) << code;
}
