#include <cmath>
#include <gtest/gtest.h>

#include "state/editor_state.h"
#include "app/main_loop.h"
#include "platform/timer.h"

// The tick driven by a hand-set millisecond clock.
static uint32_t nowMs;
static int noCounter(int64_t*, int64_t*) { return 0; }
static uint32_t readNow() { return nowMs; }

class Tick : public ::testing::Test {
 protected:
  void SetUp() override {
    static const TimerClock manual = {noCounter, readNow};
    setTimerClock(&manual);
    resetEditorState();
    nowMs = 5000;
    editor.timerStamp = nowMs;
    editor.animPeriod = 1000000;  // far away unless a test wants the wrap
  }
  void TearDown() override { setTimerClock(nullptr); }

  // Ticks done by one pass after ms milliseconds, counted on the animation counters.
  static int pass(uint32_t ms) {
    int before = editor.animFrame * 8 + editor.animSubTick;
    nowMs += ms;
    tick();
    return editor.animFrame * 8 + editor.animSubTick - before;
  }
};

TEST_F(Tick, EightMillisecondPassesTickOnceExceptWhenTheRemainderIsBelowAThird) {
  EXPECT_EQ(pass(8), 0);  // 8 ms is not yet one tick
  int total = 0;
  for (int i = 1; i < 60; i++) {
    double before = editor.tickAccumulator;
    int ticks = pass(8);
    total += ticks;
    EXPECT_EQ(ticks, before + 8 >= TickLengthMs ? 1 : 0) << "pass " << i << " from " << before;
    EXPECT_GE(editor.tickAccumulator, 0.0);
    EXPECT_LT(editor.tickAccumulator, TickLengthMs);
  }
  EXPECT_EQ(total, static_cast<int>(std::floor(480 / TickLengthMs)));  // 60 passes of 8 ms
}

TEST_F(Tick, OneSecondFromEmptyGives119TicksAndTheRestWaits) {
  EXPECT_EQ(pass(1000), 119);
  EXPECT_EQ(editor.animFrame, 14);
  EXPECT_EQ(editor.animSubTick, 7);
  EXPECT_GT(editor.tickAccumulator, 8.3333333333);
  EXPECT_LT(editor.tickAccumulator, TickLengthMs);
  EXPECT_EQ(pass(0), 0);
  EXPECT_EQ(pass(1), 1);  // the 120th
  EXPECT_EQ(editor.animFrame, 15);
  EXPECT_EQ(editor.animSubTick, 0);
}

TEST_F(Tick, LongPauseIsCaughtUpInFull) {
  EXPECT_EQ(pass(60000), 7199);  // 60 s: 7200 less the same rounding as one second
}

TEST_F(Tick, FrameWrapsAtThePeriodOnTheNextTickEvenWithoutAFrameStep) {
  editor.animPeriod = 6;
  editor.animFrame = 9;  // left over from a level with a longer period
  editor.animSubTick = 2;
  pass(9);
  EXPECT_EQ(editor.animFrame, 0);
  EXPECT_EQ(editor.animSubTick, 3);
}

TEST_F(Tick, FrameCountsToThePeriodAndStartsAgain) {
  editor.animPeriod = 3;
  EXPECT_EQ(pass(192), 23);
  EXPECT_EQ(editor.animFrame, 2);
  EXPECT_EQ(editor.animSubTick, 7);
  pass(9);
  EXPECT_EQ(editor.animFrame, 0);
  EXPECT_EQ(editor.animSubTick, 0);
}

TEST_F(Tick, NoLevelLoadedKeepsTheFrameAtZero) {
  editor.animPeriod = 0;
  pass(1000);
  EXPECT_EQ(editor.animFrame, 0);
  EXPECT_EQ(editor.animSubTick, 7);
}
