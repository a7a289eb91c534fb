#include "platform/events.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

// Synthetic SDL events through the real pump, without any window.
class PumpEvent : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { SDL_Quit(); }

  struct Taken {
    int kind, a, b;
  };
  static Taken take() {
    AppWindow* window = reinterpret_cast<AppWindow*>(1);
    Taken t{-1, -1, -1};
    t.kind = pumpEvent(&window, &t.a, &t.b);
    EXPECT_EQ(window, nullptr);  // synthetic events belong to no window
    return t;
  }
  static void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
  static void pushKey(Uint32 type, SDL_Keycode key, Uint16 mod = 0, Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    push(e);
  }
  static void pushButton(Uint32 type, Uint8 button) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    push(e);
  }
  static void pushWheel(int y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL, int x = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    e.wheel.x = x;
    e.wheel.direction = direction;
    push(e);
  }
  static void pushWindowEvent(Uint8 event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = event;
    push(e);
  }
};

#define EXPECT_TAKEN(kindValue, aValue, bValue)                                   \
  do {                                                                            \
    Taken t = take();                                                             \
    EXPECT_EQ(t.kind, kindValue);                                                 \
    EXPECT_EQ(t.a, aValue);                                                       \
    EXPECT_EQ(t.b, bValue);                                                       \
  } while (0)

TEST_F(PumpEvent, EmptyQueueGivesNoneWithClearedPayloads) { EXPECT_TAKEN(EventNone, 0, 0); }

TEST_F(PumpEvent, KeysCarryVirtualKeyCodesAndRepeatsArriveAsMoreDowns) {
  pushKey(SDL_KEYDOWN, SDLK_RIGHT);
  pushKey(SDL_KEYDOWN, SDLK_RIGHT, 0, 1);
  pushKey(SDL_KEYUP, SDLK_RIGHT);
  pushKey(SDL_KEYDOWN, SDLK_s, KMOD_LCTRL);
  EXPECT_TAKEN(EventKeyDown, 39, 0);
  EXPECT_TAKEN(EventKeyDown, 39, 0);
  EXPECT_TAKEN(EventKeyUp, 39, 0);
  EXPECT_TAKEN(EventKeyDown, 83, 0);
  EXPECT_TAKEN(EventNone, 0, 0);
}

TEST_F(PumpEvent, KeypadArrowsSwitchWithNumLock) {
  pushKey(SDL_KEYDOWN, SDLK_KP_4);
  pushKey(SDL_KEYUP, SDLK_KP_4);
  pushKey(SDL_KEYDOWN, SDLK_KP_4, KMOD_NUM);
  EXPECT_TAKEN(EventKeyDown, 37, 0);
  EXPECT_TAKEN(EventKeyUp, 37, 0);
  EXPECT_TAKEN(EventKeyDown, 100, 0);
}

TEST_F(PumpEvent, SystemKeysAreDroppedButReleasesUnderAltArrive) {
  pushKey(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT);
  pushKey(SDL_KEYDOWN, SDLK_LEFT, KMOD_LALT);
  pushKey(SDL_KEYUP, SDLK_LSHIFT, KMOD_LALT);
  pushKey(SDL_KEYDOWN, SDLK_VOLUMEUP);
  EXPECT_TAKEN(EventNone, 0, 0);
  EXPECT_TAKEN(EventNone, 0, 0);
  EXPECT_TAKEN(EventKeyUp, 16, 0);
  EXPECT_TAKEN(EventNone, 0, 0);  // no code for it
}

TEST_F(PumpEvent, OneEventPerCallAndAnUnmappedOneStillYieldsNone) {
  SDL_Event user{};
  user.type = SDL_USEREVENT;
  pushKey(SDL_KEYDOWN, SDLK_UP);
  push(user);
  pushKey(SDL_KEYDOWN, SDLK_DOWN);
  EXPECT_TAKEN(EventKeyDown, 38, 0);
  EXPECT_TAKEN(EventNone, 0, 0);
  EXPECT_TAKEN(EventKeyDown, 40, 0);  // left in the queue for the next call
}

TEST_F(PumpEvent, ButtonsAreNumberedLeftRightMiddle) {
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
  pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE);
  pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
  pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1);
  EXPECT_TAKEN(EventButtonDown, 1, 0);
  EXPECT_TAKEN(EventButtonDown, 2, 0);
  EXPECT_TAKEN(EventButtonDown, 3, 0);
  EXPECT_TAKEN(EventButtonUp, 3, 0);
  EXPECT_TAKEN(EventButtonUp, 2, 0);
  EXPECT_TAKEN(EventButtonUp, 1, 0);
  EXPECT_TAKEN(EventNone, 0, 0);
}

TEST_F(PumpEvent, WheelGivesButtonFourAwayAndFiveTowardWithoutRelease) {
  pushWheel(1);
  pushWheel(-2);
  pushWheel(1, SDL_MOUSEWHEEL_FLIPPED);  // natural scrolling: the same turn reports the other sign
  pushWheel(0, SDL_MOUSEWHEEL_NORMAL, 1);  // sideways only
  EXPECT_TAKEN(EventButtonDown, 4, 0);
  EXPECT_TAKEN(EventButtonDown, 5, 0);
  EXPECT_TAKEN(EventButtonDown, 5, 0);
  EXPECT_TAKEN(EventNone, 0, 0);
  EXPECT_TAKEN(EventNone, 0, 0);
}

TEST_F(PumpEvent, MouseMovesKeepNegativeCoordinates) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = -12;
  e.motion.y = 345;
  push(e);
  EXPECT_TAKEN(EventMouseMove, -12, 345);
}

TEST_F(PumpEvent, QuitAndCloseRequestsAndFocusChanges) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  push(quit);
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  pushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
  EXPECT_TAKEN(EventClose, 0, 0);
  EXPECT_TAKEN(EventClose, 0, 0);
  EXPECT_TAKEN(EventFocus, 1, 0);
  EXPECT_TAKEN(EventFocus, 0, 0);
  EXPECT_TAKEN(EventNone, 0, 0);
}

TEST_F(PumpEvent, TerminationSignalBecomesACloseRequest) {
  raise(SIGTERM);  // SDL's handler turns it into a quit request
  EXPECT_TAKEN(EventClose, 0, 0);
}
