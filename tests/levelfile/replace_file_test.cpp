#include "levelfile/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/file_size_limit.h"
#include "support/files.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const Bytes Old = {'o', 'l', 'd'};
const Bytes New = {'n', 'e', 'w', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't'};

ReplaceResult replace(const std::string& path, ReplaceTarget target, const Bytes& bytes = New) {
  return replaceFileAtomically(path.c_str(), bytes.data(), bytes.size(), target);
}

std::set<std::string> namesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

int modeOf(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

// The step and errno of a failure, the old content kept and no temporary file left.
void expectRefused(const TempDir& dir, const std::string& path, ReplaceResult result, ReplaceStep step,
                   int error) {
  EXPECT_EQ(result.step, step);
  EXPECT_EQ(result.error, error);
  EXPECT_EQ(readFileBytes(path), Old);
  EXPECT_EQ(namesIn(dir.path), std::set<std::string>{"LEVEL___.DAT"});
}

}  // namespace

TEST(ReplaceFile, NewContentWithTheOldPermissionsWhateverTheTarget) {
  for (ReplaceTarget target : {ReplaceAnyTarget, ReplaceWritableTarget}) {
    TempDir dir;
    const std::string path = dir.file("LEVEL___.DAT");
    writeFileBytes(path, Old);
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    const ReplaceResult result = replace(path, target);
    EXPECT_EQ(result.step, ReplaceDone);
    EXPECT_EQ(result.error, 0);
    EXPECT_EQ(readFileBytes(path), New);
    EXPECT_EQ(modeOf(path), 0640);
    EXPECT_EQ(namesIn(dir.path), std::set<std::string>{"LEVEL___.DAT"});
  }
}

TEST(ReplaceFile, ALinkStaysALinkToTheNewContent) {
  TempDir dir;
  const std::string path = dir.file("LEVEL___.DAT"), real = dir.file("real.dat");
  writeFileBytes(real, Old);
  fs::create_symlink(real, path);
  ASSERT_EQ(replace(path, ReplaceWritableTarget).step, ReplaceDone);
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(readFileBytes(real), New);
}

TEST(ReplaceFile, AMissingTargetIsCreatedOnlyWhenAnyTargetWillDo) {
  TempDir dir;
  const std::string path = dir.file("LEVEL___.DAT");
  EXPECT_EQ(replace(path, ReplaceWritableTarget).step, ReplaceTargetRefused);
  EXPECT_TRUE(namesIn(dir.path).empty());

  const mode_t previousMask = umask(027);
  const ReplaceResult result = replace(path, ReplaceAnyTarget);
  umask(previousMask);
  EXPECT_EQ(result.step, ReplaceDone);
  EXPECT_EQ(readFileBytes(path), New);
  EXPECT_EQ(modeOf(path), 0640);
}

// By its mode, so that a read-only file stays even for root, whom the system
// would let write it.
TEST(ReplaceFile, AReadOnlyTargetIsRefusedOnlyWhenItMustBeWritable) {
  TempDir dir;
  const std::string path = dir.file("LEVEL___.DAT");
  writeFileBytes(path, Old);
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  expectRefused(dir, path, replace(path, ReplaceWritableTarget), ReplaceTargetRefused, EACCES);
  expectRefused(dir, path, replace(path, ReplaceUnlessReadOnly), ReplaceTargetRefused, EACCES);
  EXPECT_EQ(replace(dir.file("new.DAT"), ReplaceUnlessReadOnly).step, ReplaceDone) << "a missing one is made";
  fs::remove(dir.file("new.DAT"));
  EXPECT_EQ(replace(path, ReplaceAnyTarget).step, ReplaceDone);
  EXPECT_EQ(modeOf(path), 0444);
}

TEST(ReplaceFile, EachFailingStepLeavesTheOldFile) {
  TempDir dir;
  const std::string path = dir.file("LEVEL___.DAT");
  writeFileBytes(path, Old);
  {
    FileSizeLimit limit(4);  // the write fails, as on a full disk
    ASSERT_TRUE(limit.active);
    expectRefused(dir, path, replace(path, ReplaceAnyTarget), ReplaceWriteFailed, EFBIG);
  }
  EXPECT_EQ(replace(dir.file("missing/LEVEL___.DAT"), ReplaceAnyTarget).step, ReplaceCreateFailed);

  const std::string folder = dir.file("folder");
  fs::create_directory(folder);
  const ReplaceResult overFolder = replace(folder, ReplaceAnyTarget);
  EXPECT_EQ(overFolder.step, ReplaceRenameFailed);
  EXPECT_EQ(overFolder.error, EISDIR);
  EXPECT_EQ(namesIn(dir.path), (std::set<std::string>{"LEVEL___.DAT", "folder"}));
}
