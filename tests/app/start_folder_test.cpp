// The command line of driver and what its start-up box says about a folder
// that is not a data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/start_folder.h"
#include "support/files.h"

// "DATA_DIR exitNow exitStatus printed": only an exit prints (help, version, usage error).
TEST(StartFolder, CommandLine) {
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"driver"}, "- 0 0 0"},          {{"driver", "/some/game"}, "/some/game 0 0 0"},
      {{"driver", "--help"}, "- 1 0 1"}, {{"driver", "--version"}, "- 1 0 1"},
      {{"driver", "-x"}, "- 1 2 1"},     {{"driver", "one", "two"}, "- 1 2 1"},
  };
  for (const auto& [args, want] : cases) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const StartRequest got = readStartArguments(int(args.size()), const_cast<char**>(args.data()));
    const bool printed = !(testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr()).empty();
    EXPECT_EQ(std::string(got.dataDir ? got.dataDir : "-") + " " + std::to_string(got.exitNow) + " " +
                  std::to_string(got.exitStatus) + " " + std::to_string(printed),
              want)
        << args.back();
  }
}

TEST(StartFolder, TheBoxNamesTheFolderAndWhatItLacks) {
  TempDir root;
  const std::string absent = root.file("absent"), noStyles = root.file("game");
  std::filesystem::create_directories(noStyles + "/LEVELS");
  const FolderLack none = folderLackOf(absent), styles = folderLackOf(noStyles), neither = folderLackOf(root.path);
  EXPECT_TRUE(none.folder && none.levels && none.styles);
  EXPECT_TRUE(!styles.folder && !styles.levels && styles.styles);
  EXPECT_EQ(missingFolderText(absent, none, false).rfind("There is no folder " + absent + ".\n", 0), 0u);
  EXPECT_EQ(missingFolderText(root.path, neither, false).rfind(root.path + " holds no LEVELS/ and no STYLES/.", 0), 0u);
  const std::string offer = missingFolderText(noStyles, styles, true);
  EXPECT_EQ(offer.rfind(noStyles + " holds no STYLES/.", 0), 0u) << offer;
  EXPECT_NE(offer.find("\"Open the demo levels\""), std::string::npos) << offer;
  EXPECT_EQ(missingFolderText(noStyles, styles, false).find("Open the demo levels"), std::string::npos);
}
