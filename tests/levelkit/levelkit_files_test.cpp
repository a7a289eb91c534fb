// levelkit info, check, pack and unpack, run as the real program over level
// fixtures and a copy of the demo data with files broken on purpose.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <set>

#include "data/style.h"
#include "levelfile/layout.h"
#include "run_levelkit.h"
#include "support/level_fixtures.h"

namespace {

LevelDescription fixtureLevel() {
  LevelDescription d;
  d.name = "Caf\xE9 \x80 <fixture>  ";  // Windows-1252, blank-padded
  d.style = 2;
  d.width = 24;
  d.height = 21;
  d.startX = 3;
  d.startY = 1;
  d.releaseRate = 0x4000;  // reads back negative
  d.skillCode[0] = 0x01;
  d.skillCode[1] = 0x33;
  d.skillCode[2] = 0x7F;  // not in the list
  for (int slot = 3; slot < LevelSkillSlots; ++slot) {  // empty, but for a count in slot 5
    d.skillCode[slot] = 0;
    d.skillCount[slot] = slot == 4 ? 5 : 0;
  }
  d.cells = {{0, 0, 1}, {1, 0, 2}, {2, 5, 1}};
  d.objects = {{0, 4, 4}, {0, 6, 4}};
  return d;
}

}  // namespace

TEST(LevelkitInfo, JsonHoldsExactlyTheFactsOfEachReadableFile) {
  TempDir dir;
  const std::vector<uint8_t> plain = makeLevelImage(fixtureLevel());
  writeFileBytes(dir.file("plain.DAT"), plain);
  writeFileBytes(dir.file("packed.DAT"), makeCompressedLevelImage(fixtureLevel()));
  writeFileBytes(dir.file("junk.DAT"), {'F', 'O', 'R', 'M', 1, 2, 3});
  const RunResult r =
      runLevelkit({"info", "--json", dir.file("plain.DAT"), dir.file("junk.DAT"), dir.file("packed.DAT")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, dir.file("junk.DAT") + ": error: not a level file (wrong length)\n");
  const nlohmann::json all = nlohmann::json::parse(r.out);
  ASSERT_EQ(all.size(), 2u) << r.out;
  const std::set<std::string> keys = {"file", "name", "style", "styleName", "width", "height", "timeMinutes",
                                      "timeSeconds", "releaseRate", "skills", "terrainCells", "objects",
                                      "startX", "startY", "compressed"};
  for (size_t i = 0; i < all.size(); ++i) {
    const nlohmann::json& level = all[i];
    std::set<std::string> got;
    for (const auto& item : level.items()) got.insert(item.key());
    EXPECT_EQ(got, keys);
    EXPECT_EQ(level["file"], dir.file(i == 0 ? "plain.DAT" : "packed.DAT"));
    EXPECT_EQ(level["name"], "Caf\xC3\xA9 \xE2\x82\xAC <fixture>");
    EXPECT_EQ(level["styleName"], styleDisplayNames[2]);
    EXPECT_EQ((std::vector<int>{level["style"], level["width"], level["height"], level["releaseRate"],
                                level["terrainCells"], level["objects"], level["startX"], level["startY"]}),
              (std::vector<int>{2, 24, 21, 0x4000 - 65536, 3, 2, 3, 1}));
    EXPECT_EQ(level["compressed"], i == 1);
    ASSERT_EQ(level["skills"].size(), 8u);
    EXPECT_EQ(level["skills"][0], (nlohmann::json{{"code", 1}, {"count", 10}, {"name", "Piper"}}));
    EXPECT_EQ(level["skills"][1]["name"], "Weaver");
    EXPECT_EQ(level["skills"][2]["name"], "");
  }
  const RunResult text = runLevelkit({"info", dir.file("packed.DAT")});
  EXPECT_EQ(text.exitCode, 0);
  for (const char* line : {"  name: Caf\xC3\xA9 \xE2\x82\xAC <fixture>\n",
                           "  skills: 01 Piper x10, 33 Weaver x10, 7F ? x10, 00 ? x5\n", "compressed: yes"})
    EXPECT_NE(text.out.find(line), std::string::npos) << text.out;
}

TEST(LevelkitCheck, NamesEachBrokenFileWithItsReasonAndCounts) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoDataCopy data;
  std::vector<uint8_t> style = readFileBytes(data.style("VARNELO"));
  style.resize(style.size() / 2);
  writeFileBytes(data.style("VARNELO"), style);
  style = readFileBytes(data.style("QUORB"));
  style[style.size() / 2] ^= 0x10;
  writeFileBytes(data.style("QUORB"), style);
  writeFileBytes(data.level(5), std::vector<uint8_t>(LevelFileSize, 0x5A));
  std::vector<uint8_t> level = makeLevelImage(fixtureLevel());
  level[LevelWidthClassOffset] = LevelWidthClasses;
  writeFileBytes(data.level(6), level);
  level = makeLevelImage(fixtureLevel());
  // 90 blocks wide: it loads, but no width class holds it.
  const int rightLimit = (90 - LevelStartViewBlocks) * LevelPixelsPerBlock;
  level[LevelRightLimitOffset] = static_cast<uint8_t>(rightLimit);
  level[LevelRightLimitOffset + 1] = static_cast<uint8_t>(rightLimit >> 8);
  writeFileBytes(data.level(7), level);

  LevelDescription lossy = fixtureLevel();
  lossy.cells.push_back({3, 3, 9999});
  lossy.objects.push_back({999, 1, 1});
  lossy.objects.push_back({998, 2, 1});
  writeFileBytes(data.level(21), makeLevelImage(lossy));

  const std::map<std::string, std::vector<std::string>> expected = {
      {data.style("VARNELO"), {"error: style file has the wrong size"}},
      {data.style("QUORB"), {"error: style file fails its CRC check"}},
      {data.style("TESSILY"), {}},
      {data.level(5), {"error: not a level file (no FORM or GSCM header)"}},
      {data.level(6), {"error: not a level file (width class above 6)"}},
      {data.level(7), {"warning: would not save: level is wider than 80 blocks"}},
      {data.level(20), {}},
      {data.level(21),
       {"warning: 1 terrain cell names a block the style lacks (dropped on load)",
        "warning: 2 objects name definitions the style lacks (dropped on load)"}},
  };
  std::vector<std::string> args = {"check"};
  std::string lines;
  for (const auto& [file, findings] : expected) {
    args.push_back(file);
    for (const std::string& finding : findings) lines += file + ": " + finding + "\n";
  }
  const RunResult r = runLevelkit(args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, lines + "8 files, 4 errors, 3 warnings\n");
  EXPECT_EQ(runLevelkit({"check", data.level(7), data.level(21)}).exitCode, 0) << "warnings alone fail nothing";

  // The whole folder: the other levels 0..19 fail through the two broken styles.
  const RunResult folder = runLevelkit({"check", "--json", data.dir.path});
  EXPECT_EQ(folder.exitCode, 1);
  const nlohmann::json report = nlohmann::json::parse(folder.out);
  EXPECT_EQ((std::vector<int>{report["files"], report["errors"], report["warnings"]}),
            (std::vector<int>{132, 2 + 19, 3}));  // level 7 names an intact style
  EXPECT_EQ(report["findings"][2]["file"], data.level(0));
  EXPECT_EQ(report["findings"][2]["reason"],
            "its style " + data.style("VARNELO") + " does not load: style file has the wrong size");
}

TEST(LevelkitCheck, IntactDemoDataPassesAndMissingArgumentsAreUsageErrors) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoDataCopy data;
  const RunResult r = runLevelkit({"check", data.dir.path, data.level(3)});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(r.out, "133 files, 0 errors, 0 warnings\n");
  EXPECT_EQ(runLevelkit({"check"}).exitCode, 2);
}

// What once did nothing and reported success: a folder that holds no data,
// the file driver saves into its data folder, a level whose styles are elsewhere.
TEST(LevelkitCheck, FoldersThatAreNoDataFailAndStylesAreFoundBesideOrGiven) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoDataCopy data;
  const std::string saved = data.dir.file("LEVEL___.DAT"), out = data.dir.file("out");
  std::filesystem::copy_file(data.level(5), saved);
  TempDir elsewhere;  // a level, but no STYLES/ beside it or above
  std::filesystem::create_directory(elsewhere.file("LEVELS"));
  const std::string away = elsewhere.file("LEVELS/L.DAT");
  std::filesystem::copy_file(data.level(5), away);
  struct Row { std::vector<std::string> args; int exitCode; std::string err; };  // err: all of standard error
  const Row rows[] = {
      {{"catalogue", "/nonexistent", out}, 2, "/nonexistent: error: no such folder\n"},
      {{"catalogue", data.dir.file("LEVELS"), out}, 2,
       data.dir.file("LEVELS") + ": error: not a data folder: no LEVELS/ and no STYLES/\n"},
      {{"check", saved}, 0, ""},
      {{"render", saved, data.dir.file("saved.png")}, 0, ""},
      {{"check", away}, 1, ""},
      {{"check", "--data", data.dir.path, away}, 0, ""},
  };
  for (const Row& row : rows) {
    const RunResult r = runLevelkit(row.args);
    EXPECT_EQ(r.exitCode, row.exitCode) << row.args[0] << " " << row.args[1] << "\n" << r.out;
    EXPECT_EQ(r.err, row.err);
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(LevelkitPack, RoundTripKeepsEveryByteAndDriverReadsThePackedLevel) {
  TempDir dir;
  const std::vector<uint8_t> plain = makeLevelImage(fixtureLevel());
  writeFileBytes(dir.file("plain.DAT"), plain);
  ASSERT_EQ(runLevelkit({"pack", dir.file("plain.DAT"), dir.file("packed.DAT")}).exitCode, 0);
  const std::vector<uint8_t> packed = readFileBytes(dir.file("packed.DAT"));
  EXPECT_LT(packed.size(), plain.size());
  Level level;
  ASSERT_EQ(parseLevel(packed.data(), packed.size(), &level), 0);
  EXPECT_EQ(level.objectCount, 5u);
  ASSERT_EQ(runLevelkit({"unpack", dir.file("packed.DAT"), dir.file("again.DAT")}).exitCode, 0);
  EXPECT_EQ(readFileBytes(dir.file("again.DAT")), plain);

  const RunResult notPacked = runLevelkit({"unpack", dir.file("plain.DAT"), dir.file("x")});
  EXPECT_EQ(notPacked.exitCode, 1);
  EXPECT_EQ(notPacked.err, dir.file("plain.DAT") + ": error: not a GSCM file\n");
  EXPECT_EQ(runLevelkit({"pack", dir.file("packed.DAT"), dir.file("x")}).exitCode, 1);
  EXPECT_FALSE(fileExists(dir.file("x")));
}

TEST(LevelkitUsage, HelpAndVersionSucceedAndBadArgumentsExitWithTwo) {
  for (const char* command : {"info", "check", "render", "catalogue", "pack", "unpack"}) {
    const RunResult r = runLevelkit({command, "--help"});
    EXPECT_EQ(r.exitCode, 0) << command;
    EXPECT_NE(r.out.find(command), std::string::npos) << r.out;
  }
  EXPECT_EQ(runLevelkit({"--version"}).exitCode, 0);
  const std::vector<std::vector<std::string>> bad = {
      {}, {"frobnicate"}, {"render", "--scale", "9", "a", "b"}, {"render", "--scale", "2", "--size", "64", "a", "b"},
      {"render", "--frame", "-1", "a", "b"}, {"pack", "only-one"}};
  for (const auto& args : bad) EXPECT_EQ(runLevelkit(args).exitCode, 2) << (args.empty() ? "" : args[0]);
}
