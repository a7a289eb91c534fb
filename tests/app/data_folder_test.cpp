// The command line of driver and what its start-up box says about a folder
// that is not a data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "support/files.h"

TEST(DataFolder, CommandLine) {
  struct Case {
    std::vector<const char*> args;
    const char* dataDir;
    int exitNow, exitStatus;
  };
  const Case cases[] = {
      {{"driver"}, nullptr, 0, 0},          {{"driver", "/some/game"}, "/some/game", 0, 0},
      {{"driver", "--help"}, nullptr, 1, 0}, {{"driver", "--version"}, nullptr, 1, 0},
      {{"driver", "-x"}, nullptr, 1, 2},     {{"driver", "one", "two"}, nullptr, 1, 2},
  };
  for (const Case& c : cases) {
    std::vector<char*> argv;
    for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const StartRequest got = readStartArguments(int(argv.size()), argv.data());
    const std::string out = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    const std::string what = c.args.back();
    EXPECT_EQ(got.dataDir ? std::string(got.dataDir) : "", c.dataDir ? c.dataDir : "") << what;
    EXPECT_EQ(got.exitNow, c.exitNow) << what;
    EXPECT_EQ(got.exitStatus, c.exitStatus) << what;
    EXPECT_EQ(out.empty(), c.exitNow == 0) << what << ": " << out;  // only an exit prints
  }
}

TEST(DataFolder, TheBoxNamesTheFolderAndWhatItLacks) {
  TempDir root;
  struct Case {
    const char* sub;        // the one folder made inside, or nullptr
    bool demo;
    const char* sentence;   // what the box says first
  };
  const Case cases[] = {
      {nullptr, false, " holds no LEVELS/ and no STYLES/."},
      {"LEVELS", true, " holds no STYLES/."},
      {"STYLES", false, " holds no LEVELS/."},
  };
  for (const Case& c : cases) {
    const std::string folder = root.file(c.sub ? c.sub : "none") + "-game";
    std::filesystem::create_directories(c.sub ? folder + "/" + c.sub : folder);
    const FolderLack lack = folderLackOf(folder);
    EXPECT_FALSE(lack.folder);
    const std::string text = missingFolderText(folder, lack, c.demo);
    EXPECT_EQ(text.rfind(folder + c.sentence, 0), 0u) << text;
    EXPECT_EQ(text.find("Open the demo levels") != std::string::npos, c.demo) << text;
  }
  const FolderLack none = folderLackOf(root.file("absent"));
  EXPECT_TRUE(none.folder && none.levels && none.styles);
  EXPECT_EQ(missingFolderText(root.file("absent"), none, false).rfind("There is no folder " + root.file("absent"), 0),
            0u);
}
