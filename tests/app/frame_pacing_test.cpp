#include "app/frame_pacing.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "platform/timer.h"
#include "state/editor_state.h"

// Passes over a hand-set millisecond clock that only a rest moves on, as
// sleeping would; frames and rests are counted instead of drawn and slept.
static uint32_t nowMs;
static int noCounter(int64_t*, int64_t*) { return 0; }
static uint32_t readNow() { return nowMs; }
static int frames, rests, lastRestMs;
static bool restPassesTime;
static void countFrame() { ++frames; }
static void countRest(int ms) {
  ++rests;
  lastRestMs = ms;
  if (restPassesTime) nowMs += static_cast<uint32_t>(ms);
}

TEST(LoopPass, IdleLoopRestsAndDrawsOnlyWhenTheAnimationStepsOrAnEventArrives) {
  static const TimerClock manual = {noCounter, readNow};
  setTimerClock(&manual);
  ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  resetEditorState();
  editor.animPeriod = 1000;
  nowMs = 1000;
  editor.timerStamp = nowMs;
  const LoopSteps steps{countFrame, countRest};
  resetFramePacing();
  restPassesTime = false;
  loopPass(steps);
  EXPECT_EQ(frames, 1) << "the first pass draws";

  frames = rests = 0;
  for (int pass = 0; pass < 5; ++pass) loopPass(steps);
  EXPECT_EQ(frames, 0) << "nothing changed";
  EXPECT_EQ(rests, 5);
  EXPECT_EQ(lastRestMs, 67) << "until the eighth tick: 8 x 8.33 ms";
  editor.panels[1].activePart = BackArrow;
  EXPECT_EQ(restMilliseconds(), 9) << "a held arrow repeats on ticks";
  editor.panels[1].activePart = NoPart;

  restPassesTime = true;
  for (int pass = 0; pass < 12; ++pass) {
    const int framesBefore = frames, animBefore = editor.animFrame;
    loopPass(steps);
    EXPECT_EQ(frames - framesBefore, editor.animFrame != animBefore ? 1 : 0) << "pass " << pass;
  }
  EXPECT_EQ(frames, 6);
  EXPECT_EQ(editor.animFrame, 6);

  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_LSHIFT;
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  restPassesTime = false;
  frames = 0;
  loopPass(steps);
  EXPECT_EQ(frames, 1) << "a handled event";
  EXPECT_EQ(editor.shiftDown, 1);

  SDL_Quit();
  setTimerClock(nullptr);
  resetEditorState();
}
