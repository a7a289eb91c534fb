// Real X input through the platform layer: this test program starts a copy of
// itself that runs driver's start-up (window, context, clear colour) without
// loading a level and prints every event that pumpEvent returns, one
// "kind a b" line each.
#include <GL/gl.h>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "state/editor_state.h"
#include "app/main_loop.h"
#include "platform/events.h"
#include "platform/window.h"
#include "support/files.h"
#include "support/xvfb_session.h"

static int echoEvents() {
  if (startUp() != 0) return 1;
  const AppWindow* window = editor.window;
  std::printf("ready %d %d %d %d\n", window->x, window->y, window->width, window->height);
  std::fflush(stdout);
  for (bool open = true; open;) {
    AppWindow* from = nullptr;
    int a = 0, b = 0;
    int kind;
    while ((kind = pumpEvent(&from, &a, &b)) != EventNone) {
      std::printf("%d %d %d\n", kind, a, b);
      if (kind == EventClose) open = false;
    }
    std::fflush(stdout);
    glClear(GL_COLOR_BUFFER_BIT);  // the clear colour start-up chose
    glContextSwap(editor.glContext);
    usleep(2000);
  }
  shutDown();
  return 0;
}

// Runs before gtest's main when this program is the echo copy.
static const int echoRan = getenv("LEVELKIT_EVENT_ECHO") ? (std::exit(echoEvents()), 1) : 0;

class PumpEventUnderX : public ::testing::Test {
 protected:
  XvfbSession x;
  TempDir dir;
  std::string win;
  void SetUp() override {
    ASSERT_TRUE(x.ok()) << x.error();
    x.extraEnvironment = {"LEVELKIT_EVENT_ECHO=1"};
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    ASSERT_TRUE(x.startProgram(self, dir.path, {}));
    ASSERT_TRUE(x.waitForOutput("ready", 15000)) << x.programOutput();
    win = x.waitForProgramWindow(15000);
    ASSERT_FALSE(win.empty());
  }
  // Whether the echo has printed text (lines in order) by now or within 10 s.
  ::testing::AssertionResult printed(const std::string& text) {
    if (x.waitForOutput(text, 10000)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << text << "\" in:\n" << x.programOutput();
  }
};

TEST_F(PumpEventUnderX, StartUpOpensACentredLightGreyWindowWithTheTemporaryTitle) {
  EXPECT_TRUE(printed("ready 192 144 640 480"));
  WindowGeometry g = x.windowGeometry(win);
  ASSERT_TRUE(g.valid);
  EXPECT_EQ((std::array{g.x, g.y, g.width, g.height}), (std::array{192, 144, 640, 480}));  // x, y, w, h
  EXPECT_EQ(x.windowName(win), "Temporary Window Title!");
  // The client area in the clear colour (0.75 of 255), the bare screen around it.
  std::vector<unsigned char> row = x.screenRgb(0, 300, 1024, 1);
  ASSERT_EQ(row.size(), 1024u * 3);
  for (int px : {0, 191, 192, 500, 831, 832, 1023}) {
    int expected = px >= 192 && px < 832 ? 191 : 0;
    EXPECT_EQ(row[px * 3], expected) << "x " << px;
    EXPECT_EQ(row[px * 3 + 1], expected) << "x " << px;
    EXPECT_EQ(row[px * 3 + 2], expected) << "x " << px;
  }
}

TEST_F(PumpEventUnderX, KeysArriveAsVirtualKeyCodes) {
  ASSERT_TRUE(x.key(win, "Right"));
  EXPECT_TRUE(printed("3 39 0\n4 39 0\n"));
  ASSERT_TRUE(x.key(win, "shift+s"));
  EXPECT_TRUE(printed("3 16 0\n3 83 0\n"));  // xdotool may release them in either order
  EXPECT_TRUE(printed("4 83 0\n"));
  EXPECT_TRUE(printed("4 16 0\n"));
  ASSERT_TRUE(x.key(win, "space Escape BackSpace Delete 1"));
  EXPECT_TRUE(printed("3 32 0\n4 32 0\n3 27 0\n4 27 0\n3 8 0\n4 8 0\n3 46 0\n4 46 0\n3 49 0\n4 49 0\n"));
}

TEST_F(PumpEventUnderX, ClicksAndWheelArriveWithTheirButtonNumbers) {
  ASSERT_TRUE(x.mouseMove(win, 100, 50));
  EXPECT_TRUE(printed("6 100 50\n"));
  ASSERT_TRUE(x.click(1));
  EXPECT_TRUE(printed("5 1 0\n7 1 0\n"));
  ASSERT_TRUE(x.click(3));  // X numbers the right button 3
  EXPECT_TRUE(printed("5 2 0\n7 2 0\n"));
  ASSERT_TRUE(x.click(2));
  EXPECT_TRUE(printed("5 3 0\n7 3 0\n"));
  ASSERT_TRUE(x.click(4));
  ASSERT_TRUE(x.click(5));
  EXPECT_TRUE(printed("5 4 0\n5 5 0\n"));  // no release for the wheel
}

TEST_F(PumpEventUnderX, HeldButtonKeepsReportingMovesOutsideTheWindow) {
  ASSERT_TRUE(x.mouseMove(win, 20, 30));
  ASSERT_TRUE(x.mouseDown(1));
  EXPECT_TRUE(printed("5 1 0\n"));
  ASSERT_TRUE(x.mouseMove(win, -15, -25));
  EXPECT_TRUE(printed("6 -15 -25\n"));
  ASSERT_TRUE(x.mouseUp(1));
  EXPECT_TRUE(printed("7 1 0\n"));
}

TEST_F(PumpEventUnderX, CloseRequestIsReportedAndTheProgramDecidesToEnd) {
  ASSERT_TRUE(x.closeWindow(win));
  EXPECT_TRUE(printed("1 0 0\n"));
  ProgramStatus s = x.waitProgramExit(10000);
  EXPECT_TRUE(s.exited && s.exitCode == 0) << x.programOutput();
}
