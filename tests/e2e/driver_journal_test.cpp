// The real driver killed with unsaved edits in two levels, started again in
// the same folder: Return on the offer brings both back; SIGTERM then keeps
// the one not saved.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/driver_edit_run.h"
#include "support/paths.h"

namespace fs = std::filesystem;

namespace {

// The level with nothing left on it.
LevelDescription emptied(const char* name) {
  LevelDescription d = smallEditLevel(name);
  d.cells.clear();
  d.objects.clear();
  return d;
}

// The names of the recovery copies under the state folder.
std::vector<std::string> copiesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->path().extension() == ".copy") names.push_back(it->path().filename().string());
  return names;
}

// Until the driver has written a copy of level `name` ("LEVEL001").
bool waitForCopy(const std::string& folder, const std::string& name) {
  for (int i = 0; i < 400; ++i) {
    for (const std::string& copy : copiesIn(folder))
      if (copy.find("-" + name + ".copy") != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

}  // namespace

TEST(DriverJournal, EditsOfAKilledEditorComeBackWithReturn) {
  SKIP_WITHOUT_DEMO_DATA();
  DriverEditRun run;
  ASSERT_TRUE(run.start({smallEditLevel("Keep me"), smallEditLevel("Me too")}))
      << run.x.error() << run.x.programOutput();
  run.deleteEverything();
  ASSERT_TRUE(run.x.waitForWindowName(run.window, "*Varnelo 1 - Keep me", 10000)) << run.title() << run.x.programOutput();
  run.key("Right");
  run.deleteEverything();
  ASSERT_TRUE(run.x.waitForWindowName(run.window, "*Varnelo 2 - Me too", 10000)) << run.title();
  ASSERT_TRUE(waitForCopy(run.dir.file(".state"), "LEVEL001")) << run.x.programOutput();
  ASSERT_TRUE(waitForCopy(run.dir.file(".state"), "LEVEL000"));
  kill(run.x.programPid(), SIGKILL);
  ASSERT_TRUE(run.x.waitProgramExit(5000).signaled);

  ASSERT_TRUE(run.x.startProgram(std::string(testpaths::binaryDir()) + "/driver/driver", run.dir.path, {}));
  const std::string box = run.x.waitForTopLevelWindow("Unsaved edits kept", 15000);
  ASSERT_FALSE(box.empty()) << run.x.programOutput();
  run.x.key(box, "Return");
  run.window = run.x.waitForWindow(windowNamePattern("*Varnelo 1 - Keep me"), 15000);
  ASSERT_FALSE(run.window.empty()) << run.x.programOutput();
  EXPECT_EQ(run.save(), makeLevelImage(emptied("Keep me"))) << "the deletion is back";
  run.key("Right");
  EXPECT_TRUE(run.x.waitForWindowName(run.window, "*Varnelo 2 - Me too", 10000)) << run.title();

  // SIGTERM ends it at once with status 0; the saved level's copy is gone,
  // the other is kept, now under this run's name.
  const std::string thisRun = "run-" + std::to_string(run.x.programPid()) + "-";
  const ProgramStatus status = run.x.stopProgram(5000);
  EXPECT_TRUE(status.exited && status.exitCode == 0) << run.x.programOutput();
  const std::vector<std::string> left = copiesIn(run.dir.file(".state"));
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].rfind(thisRun, 0), 0u) << left[0];
  EXPECT_NE(left[0].find("-LEVEL001.copy"), std::string::npos) << left[0];
}
