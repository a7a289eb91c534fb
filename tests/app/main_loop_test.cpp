#include "app/main_loop.h"

#include <SDL2/SDL.h>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#include "state/editor_state.h"
#include "platform/events.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"

// The drain's table, fed directly. The window is a plain record: the handlers
// only read its client size.
class HandleEvent : public ::testing::Test {
 protected:
  AppWindow window{};
  void SetUp() override {
    resetEditorState();
    window.width = window.actualWidth = 640;
    window.height = window.actualHeight = 480;
    editor.window = &window;
  }
  void TearDown() override { editor.window = nullptr; }
};

TEST_F(HandleEvent, CloseSetsQuitAndNothingElse) {
  EditorState before;
  std::memcpy(&before, &editor, sizeof editor);
  handleEvent(EventClose, 0, 0);
  EXPECT_EQ(editor.quit, 1);
  editor.quit = 0;
  EXPECT_EQ(std::memcmp(&before, &editor, sizeof editor), 0);
}

TEST_F(HandleEvent, FocusMoveAndNoneChangeNothing) {
  EditorState before;
  std::memcpy(&before, &editor, sizeof editor);
  handleEvent(EventFocus, 1, 0);
  handleEvent(EventFocus, 0, 0);
  handleEvent(EventMove, 10, 20);
  handleEvent(EventNone, 0, 0);
  EXPECT_EQ(std::memcmp(&before, &editor, sizeof editor), 0);
}

TEST_F(HandleEvent, KeysReachTheKeyboardCommands) {
  handleEvent(EventKeyDown, VkUp, 0);  // Up: zoom in
  EXPECT_EQ(editor.zoom, 2);
  handleEvent(EventKeyDown, VkShift, 0);
  EXPECT_EQ(editor.shiftDown, 1);
  handleEvent(EventKeyUp, VkShift, 0);
  EXPECT_EQ(editor.shiftDown, 0);
}

TEST_F(HandleEvent, MouseMovesReachTheMouseHandlerWithBothCoordinates) {
  handleEvent(EventMouseMove, 123, -45);
  EXPECT_EQ(editor.mouseX, 123);
  EXPECT_EQ(editor.mouseY, -45);
}

TEST_F(HandleEvent, ResizeLaysThePanelsOutFromTheWindowSize) {
  handleEvent(EventResize, 640, 480);
  int widthAt640 = editor.panels[0].width;
  EXPECT_GT(widthAt640, 0);
  window.width = window.actualWidth = 800;
  handleEvent(EventResize, 800, 480);
  EXPECT_EQ(editor.panels[0].width, widthAt640 + 160);
}

// The drain over the real pump, fed with synthetic SDL events.
class DrainEvents : public HandleEvent {
 protected:
  void SetUp() override {
    HandleEvent::SetUp();
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    SDL_Quit();
    HandleEvent::TearDown();
  }
  static void push(Uint32 type, SDL_Keycode key = SDLK_UNKNOWN) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
};

TEST_F(DrainEvents, StopsAtAnEventThatMapsToNothingAndLeavesTheRestForTheNextFrame) {
  push(SDL_KEYDOWN, SDLK_UP);
  push(SDL_USEREVENT);
  push(SDL_KEYDOWN, SDLK_UP);
  drainEvents();
  EXPECT_EQ(editor.zoom, 2);
  drainEvents();
  EXPECT_EQ(editor.zoom, 3);
}

TEST_F(DrainEvents, CloseRequestDoesNotCutTheDrainShort) {
  push(SDL_QUIT);
  push(SDL_KEYDOWN, SDLK_UP);
  drainEvents();
  EXPECT_EQ(editor.quit, 1);
  EXPECT_EQ(editor.zoom, 2);
}

TEST(StartUp, WithoutADisplayReportsOneLineAndLeavesNothingOpen) {
  setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("DISPLAY", ":no-such-display", 1);
  resetEditorState();
  testing::internal::CaptureStderr();
  EXPECT_EQ(startUp(), 1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(editor.window, nullptr);
  EXPECT_EQ(editor.glContext, nullptr);
  EXPECT_EQ(err.rfind("driver: cannot start the video system: ", 0), 0u) << err;
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  shutDown();  // a second tear-down is harmless
}
