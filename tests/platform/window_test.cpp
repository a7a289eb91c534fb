// The window and context operations in this process, on a private X server.
#include "platform/window.h"

#include <GL/gl.h>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include "platform/events.h"
#include "support/xvfb_session.h"

static AppWindow describe(int x, int y, int width, int height, const char* title) {
  AppWindow d{};
  d.x = x;
  d.y = y;
  d.width = width;
  d.height = height;
  std::strcpy(d.title, title);
  d.resizable = 1;
  d.decorated = 1;
  return d;
}

// The first event of the given kind for the given window within two seconds;
// EventNone if none came.
static int waitForEvent(int kind, AppWindow* of, int* a, int* b) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < deadline) {
    AppWindow* from = nullptr;
    if (pumpEvent(&from, a, b) == kind && from == of) return kind;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return EventNone;
}

// One server for the whole file: SDL keeps its connection open to the end of
// the process (closing it would unload the X libraries under the leak checker).
static XvfbSession& server() {
  static XvfbSession session;
  return session;
}

class WindowOnXvfb : public ::testing::Test {
 protected:
  XvfbSession& x = server();
  void SetUp() override {
    ASSERT_TRUE(x.ok()) << x.error();
    setenv("DISPLAY", x.display().c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    // As in driver, the desktop query holds the video system for the whole
    // run, so destroying a test's last window does not unload the X libraries.
    static int width, height;
    static const bool held = (desktopSize(&width, &height), true);
    (void)held;
  }
  std::string xid(const AppWindow* w) { return x.waitForWindow(windowNamePattern(w->title), 5000); }
};

TEST_F(WindowOnXvfb, DesktopIsTheServersScreen) {
  int width = 0, height = 0;
  desktopSize(&width, &height);
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(height, 768);
}

TEST_F(WindowOnXvfb, CreatedWindowIsShownWhereAskedAndReadBack) {
  AppWindow d = describe(192, 144, 640, 480, "Created");
  AppWindow* w = windowCreate(&d);
  ASSERT_NE(w, nullptr) << platformError();
  EXPECT_EQ((std::array{w->x, w->y, w->width, w->height}), (std::array{192, 144, 640, 480}));
  EXPECT_EQ((std::array{w->actualX, w->actualY, w->actualWidth, w->actualHeight}),
            (std::array{192, 144, 640, 480}));
  EXPECT_EQ((std::array{w->visible, w->appliedVisible, w->appliedResizable, w->appliedDecorated}),
            (std::array{1, 1, 1, 1}));
  std::string id = xid(w);
  ASSERT_FALSE(id.empty());
  WindowGeometry g = x.windowGeometry(id);
  EXPECT_EQ((std::array{g.x, g.y, g.width, g.height}), (std::array{192, 144, 640, 480}));
  windowDestroy(w);
}

TEST_F(WindowOnXvfb, ApplyRetitlesMovesAndResizesAndThePumpReportsTheNewSize) {
  AppWindow d = describe(10, 20, 320, 200, "Before");
  AppWindow* w = windowCreate(&d);
  ASSERT_NE(w, nullptr) << platformError();
  std::strcpy(w->title, "After");
  w->x = 100;
  w->y = 50;
  w->width = 400;
  w->height = 300;
  EXPECT_EQ(windowApply(w), w);
  EXPECT_EQ((std::array{w->actualX, w->actualY, w->actualWidth, w->actualHeight}),
            (std::array{100, 50, 400, 300}));
  std::string id = xid(w);
  ASSERT_FALSE(id.empty()) << "no window titled After";
  WindowGeometry g = x.windowGeometry(id);
  EXPECT_EQ((std::array{g.x, g.y, g.width, g.height}), (std::array{100, 50, 400, 300}));

  int a = 0, b = 0;
  ASSERT_EQ(waitForEvent(EventResize, w, &a, &b), EventResize);
  EXPECT_EQ(a, w->actualWidth);
  EXPECT_EQ(b, w->actualHeight);
  windowDestroy(w);
}

TEST_F(WindowOnXvfb, ContextDrawsAndPresentsInTheClearColour) {
  AppWindow d = describe(0, 0, 64, 48, "Context");
  AppWindow* w = windowCreate(&d);
  ASSERT_NE(w, nullptr) << platformError();
  GlContext* context = glContextCreate(w);
  ASSERT_NE(context, nullptr) << platformError();
  glContextMakeCurrent(context);
  GLint depthBits = 0, alphaBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  EXPECT_GE(depthBits, 16);
  EXPECT_EQ(alphaBits, 8);
  glClearColor(0.75f, 0.75f, 0.75f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glContextSwap(context);
  std::vector<unsigned char> pixel;
  for (int i = 0; i < 20; i++) {  // the server shows the frame a moment later
    pixel = x.screenRgb(32, 24, 1, 1);
    if (pixel.size() == 3 && pixel[0] == 191) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(pixel, (std::vector<unsigned char>{191, 191, 191}));
  glContextDestroy(context);
  windowDestroy(w);
}
