// Binding a level to its style over records built here: the kind rules, the
// extents and shifts, the part-count and override tables, the removal of
// elements the style cannot show, and the animation period.
#include "data/bind.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Fixture {
  std::unique_ptr<Style> style = std::make_unique<Style>();
  std::unique_ptr<Level> level = std::make_unique<Level>();

  Fixture(int styleIndex, std::vector<BlockPattern> anims) {
    clearLevelObjects(level.get());
    style->styleIndex = styleIndex;
    style->blockCount = 10;
    style->anims = std::move(anims);
    style->animCount = static_cast<uint32_t>(style->anims.size());
  }
  // A definition whose parts are (animation index or -1, dx, dy, mode).
  ObjectDef& addDef(uint32_t typeCode, std::vector<std::array<int, 4>> parts) {
    ObjectDef def{};
    def.typeCode = typeCode;
    def.partCount = static_cast<uint32_t>(parts.size());
    for (const auto& p : parts) {
      def.partAnim.push_back(p[0] < 0 ? nullptr : &style->anims[static_cast<size_t>(p[0])]);
      def.partDx.push_back(p[1]);
      def.partDy.push_back(p[2]);
      def.partMode.push_back(p[3]);
      def.partExtra.push_back(0);
    }
    style->objectDefs.push_back(def);
    style->objectDefCount = static_cast<uint32_t>(style->objectDefs.size());
    return style->objectDefs.back();
  }
  void fillDefs(size_t count) {
    while (style->objectDefs.size() < count) addDef(0, {{0, 0, 0, 0}});
  }
  LevelObject* add(uint32_t kind, uint32_t value, int x, int y, uint32_t a = 0, uint32_t b = 0) {
    return addObject(kind, value, x, y, a, b, level.get());
  }
  void bind() { bindLevelToStyle(style.get(), level.get()); }
  const ObjectDef& def(size_t i) const { return style->objectDefs[i]; }
};

BlockPattern anim(uint32_t width, uint32_t height, uint32_t frames = 1) {
  BlockPattern a{};
  a.width = width, a.height = height, a.frameCount = frames, a.cellCount = width * height;
  a.cells.assign(static_cast<size_t>(frames) * width * height, 0);
  return a;
}

TEST(BindDefinitions, TypeCodeDecidesTheKindOverThePartMode) {
  Fixture f(0, {anim(2, 3)});
  struct Case {
    uint32_t typeCode;
    int mode;
    int kind;
  };
  const Case cases[] = {{0, 0, 8}, {0, 160, 4}, {0, 240, 3}, {2, 240, 5}, {3, 160, 6},
                        {9, 0, 7}, {6, 240, 4}, {6, 0, 4},   {7, 160, 4}, {0x103, 0, 8}};
  for (const Case& c : cases) f.addDef(c.typeCode, {{0, 0, 0, c.mode}});
  f.bind();
  for (size_t i = 0; i < std::size(cases); i++) {
    EXPECT_EQ(f.def(i).kind, cases[i].kind) << "case " << i;
    EXPECT_EQ(f.def(i).height, 3);
  }
  EXPECT_EQ(f.def(0).shiftX, 0);
  EXPECT_EQ(f.def(1).shiftX, 2) << "kind 4 shifts by its width";
  EXPECT_EQ(f.def(2).shiftX, 2) << "kind 3 shifts by its width";
}

TEST(BindDefinitions, KindSixSpansAllItsParts) {
  Fixture f(0, {anim(2, 3), anim(2, 3), anim(1, 1)});
  f.addDef(0, {{0, 0, 0, 0}});
  f.addDef(0, {{0, 0, 0, 0}});
  f.addDef(3, {{0, 0, 0, 0}, {1, -1, -2, 0}});
  f.addDef(3, {{2, 0, 0, 0}, {-1, -9, -9, 0}, {0, 3, 1, 0}});  // a part without animation adds nothing
  f.bind();
  EXPECT_EQ(f.def(2).kind, 6);
  EXPECT_EQ(f.def(2).shiftX, -1);
  EXPECT_EQ(f.def(2).shiftY, -2);
  EXPECT_EQ(f.def(2).width, 3);
  EXPECT_EQ(f.def(2).height, 5);
  EXPECT_EQ(f.def(3).shiftX, 0);
  EXPECT_EQ(f.def(3).shiftY, 0);
  EXPECT_EQ(f.def(3).width, 5);
  EXPECT_EQ(f.def(3).height, 4);
}

TEST(BindDefinitions, DefinitionOneTakesItsPartCountFromTheTableButNoMoreThanWereRead) {
  for (auto [styleIndex, partsRead, expected] :
       {std::array<uint32_t, 3>{2, 5, 3}, {2, 2, 2}, {0, 3, 1}, {1, 3, 2}}) {
    Fixture f(static_cast<int>(styleIndex), {anim(1, 1), anim(4, 1)});
    f.addDef(0, {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    std::vector<std::array<int, 4>> parts(partsRead, {0, 0, 0, 0});
    parts[partsRead - 1] = {1, -3, 0, 0};  // the last part read widens a kind 6 extent
    f.addDef(3, parts);
    f.bind();
    EXPECT_EQ(f.def(1).partCount, expected) << "style " << styleIndex;
    EXPECT_EQ(f.def(0).partCount, 5u) << "other definitions keep their parts";
    EXPECT_EQ(f.def(1).shiftX, expected == partsRead ? -3 : 0);
  }
}

TEST(BindDefinitions, DefinitionsWithoutPartsOrFirstAnimationHaveNoExtent) {
  Fixture f(0, {anim(2, 2)});
  f.addDef(6, {});
  f.addDef(0, {{-1, 0, 0, 240}});
  f.bind();
  for (size_t i = 0; i < 2; i++) {
    EXPECT_EQ(f.def(i).width, 0);
    EXPECT_EQ(f.def(i).height, 0);
  }
  EXPECT_EQ(f.def(0).kind, 4);
  EXPECT_EQ(f.def(1).kind, 3);
}

TEST(BindDefinitions, OverrideRowsApplyToTheirStyleAndDefinitionOnly) {
  Fixture nine(9, {anim(1, 1, 4)});
  nine.fillDefs(23);
  nine.bind();
  EXPECT_EQ(nine.def(22).kind, 9);
  EXPECT_EQ(nine.def(14).shiftY, 1);
  EXPECT_EQ(nine.def(21).kind, 8);
  EXPECT_EQ(nine.def(6).shiftY, 0);

  Fixture one(1, {anim(1, 1, 4)});
  one.fillDefs(7);
  one.bind();
  EXPECT_EQ(one.def(6).shiftY, 1);

  Fixture five(5, {anim(1, 1, 4), anim(1, 1, 6), anim(1, 1, 3)});
  five.fillDefs(12);
  five.addDef(0, {{1, 0, 0, 0}});  // 12: its animation stops
  five.addDef(0, {{2, 0, 0, 0}});  // 13: kind 9
  five.bind();
  EXPECT_EQ(five.style->anims[0].frameCount, 1u) << "definition 1's first animation";
  EXPECT_EQ(five.style->anims[1].frameCount, 1u);
  EXPECT_EQ(five.style->anims[2].frameCount, 3u);
  EXPECT_EQ(five.def(13).kind, 9);
  EXPECT_EQ(animPeriodOf(*five.style), 3u);

  Fixture eleven(11, {anim(1, 1)});
  eleven.fillDefs(10);  // rows for definitions 10, 14 and 16 have nothing to change
  eleven.bind();
  EXPECT_EQ(eleven.def(8).kind, 7);
  EXPECT_EQ(eleven.style->objectDefs.size(), 10u);
}

TEST(BindElements, CellsTheStyleLacksAreRemovedWhileTheWalkGoesOn) {
  Fixture f(0, {anim(1, 1)});
  f.add(1, 10, 0, 0, 0x4000);  // removed (blockCount is 10)
  LevelObject* kept = f.add(1, 9, 1, 0, 0x4000);
  f.add(1, 10, 2, 0);  // removed
  f.add(1, 11, 3, 0);  // removed, right after another removal
  LevelObject* flagged = f.add(1, 0, 4, 0, 0x4001);
  f.bind();
  EXPECT_EQ(f.level->objectCount, 2u);
  EXPECT_EQ(f.level->firstObject, kept);
  EXPECT_EQ(kept->next, flagged);
  EXPECT_EQ(flagged->prev, kept);
  EXPECT_EQ(f.level->lastObject, flagged);
  EXPECT_EQ(kept->flags, 0x4000u);
  EXPECT_EQ(flagged->flags, 0u) << "only exactly 0x4000 flags a cell";
  EXPECT_EQ(flagged->width, 1u);
  EXPECT_EQ(flagged->height, 1u);
}

TEST(BindElements, ObjectsTakeTheirDefinitionOrAreRemoved) {
  Fixture f(0, {anim(1, 2), anim(2, 3)});
  f.addDef(0, {{0, 0, 0, 240}});                // kind 3, 1 x 2
  f.addDef(0, {{1, 0, 0, 0}});                  // kind 8
  f.addDef(3, {{1, 0, 0, 0}, {1, -1, -2, 0}});  // kind 6, shift (-1, -2)
  f.addDef(0, {{1, 0, 0, 160}});                // kind 4
  LevelObject* cell = f.add(1, 3, 0, 0);
  LevelObject* three = f.add(8, 0, 5, 6, 2, 0);
  f.add(8, 4, 1, 1);  // no such definition
  LevelObject* eight = f.add(8, 1, 7, 8, 5, 5);
  LevelObject* six = f.add(8, 2, 10, 10);
  LevelObject* four = f.add(8, 3, 0, 0, 1, 2);
  f.add(8, 99, 1, 1);
  f.bind();
  EXPECT_EQ(f.level->objectCount, 5u);
  EXPECT_EQ(cell->next, three);
  EXPECT_EQ(three->next, eight);

  EXPECT_EQ(three->kind, 3u);
  EXPECT_EQ(three->flags, 1u);
  EXPECT_EQ(three->width, 3u);
  EXPECT_EQ(three->height, 2u);
  EXPECT_EQ(three->x, 6);
  EXPECT_EQ(three->shiftX, 1);

  EXPECT_EQ(eight->kind, 8u);
  EXPECT_EQ(eight->width, 2u) << "counts only stretch kinds 3 and 4";
  EXPECT_EQ(eight->x, 7);

  EXPECT_EQ(six->kind, 6u);
  EXPECT_EQ(six->x, 9);
  EXPECT_EQ(six->y, 8);
  EXPECT_EQ(six->width, 3u);
  EXPECT_EQ(six->height, 5u);

  EXPECT_EQ(four->kind, 4u);
  EXPECT_EQ(four->width, 4u);
  EXPECT_EQ(four->height, 9u);
  EXPECT_EQ(four->x, 2);
}

TEST(AnimPeriod, IsTheProductOfAllFrameCountsInThirtyTwoBits) {
  Fixture f(0, {anim(1, 1, 4), anim(1, 1, 6), anim(1, 1, 8)});
  EXPECT_EQ(animPeriodOf(*f.style), 192u);
  Fixture wraps(0, {anim(0, 0, 65536), anim(0, 0, 65536), anim(0, 0, 3)});
  EXPECT_EQ(animPeriodOf(*wraps.style), 0u);
  Fixture big(0, {anim(0, 0, 65535), anim(0, 0, 65537)});
  EXPECT_EQ(animPeriodOf(*big.style), 0xFFFFFFFFu);
}

}  // namespace
