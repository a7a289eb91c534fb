#include "platform/timer.h"

#include <gtest/gtest.h>

// A clock the tests set by hand: the counter (with its frequency) when
// counterWorks is 1, the tick count otherwise.
static int64_t fakeCounter;
static int64_t fakeFrequency = 1000;
static int counterWorks = 1;
static uint32_t fakeTicks;

static int readFakeCounter(int64_t* counter, int64_t* frequency) {
  *counter = fakeCounter;
  *frequency = fakeFrequency;
  return counterWorks;
}
static uint32_t readFakeTicks() { return fakeTicks; }

class TimerElapsed : public ::testing::Test {
 protected:
  void SetUp() override {
    static const TimerClock fake = {readFakeCounter, readFakeTicks};
    fakeCounter = 0;
    fakeFrequency = 1000;
    counterWorks = 1;
    fakeTicks = 0;
    setTimerClock(&fake);
  }
  void TearDown() override { setTimerClock(nullptr); }
};

TEST_F(TimerElapsed, TwoReadingsInTheSameMillisecondGiveZero) {
  fakeFrequency = 1000000;  // microseconds: 1234.567 and 1234.999 ms are the same millisecond
  fakeCounter = 1234567;
  uint32_t stamp = 0;
  timerElapsed(&stamp);
  fakeCounter = 1234999;
  EXPECT_EQ(timerElapsed(&stamp), 0u);
  EXPECT_EQ(stamp, 1234u);
}

TEST_F(TimerElapsed, CounterIsConvertedToWholeMillisecondsAndStored) {
  fakeFrequency = 3;  // 10 counts = 3333.33 ms, truncated
  fakeCounter = 10;
  uint32_t stamp = 1000;
  EXPECT_EQ(timerElapsed(&stamp), 2333u);
  EXPECT_EQ(stamp, 3333u);
}

TEST_F(TimerElapsed, CounterElapsedIsRightAcrossThe32BitWrap) {
  fakeCounter = (int64_t{1} << 32) - 6;  // milliseconds at frequency 1000
  uint32_t stamp = 0;
  timerElapsed(&stamp);
  EXPECT_EQ(stamp, 4294967290u);
  fakeCounter += 11;
  EXPECT_EQ(timerElapsed(&stamp), 11u);
  EXPECT_EQ(stamp, 5u);
}

TEST_F(TimerElapsed, NanosecondCounterAfterMonthsOfUptimeStaysExact) {
  // 200 days in nanoseconds: counter * 1000 would not fit in 64 bits.
  fakeFrequency = 1000000000;
  fakeCounter = int64_t{200} * 24 * 3600 * 1000000000 + 999999;
  uint32_t stamp = 0;
  timerElapsed(&stamp);
  EXPECT_EQ(stamp, static_cast<uint32_t>(int64_t{200} * 24 * 3600 * 1000));
  fakeCounter += 16000001;
  EXPECT_EQ(timerElapsed(&stamp), 17u);  // 999999 + 16000001 ns crosses 17 whole ms
}

TEST_F(TimerElapsed, TickCountIsUsedWhenTheCounterCannotBeRead) {
  counterWorks = 0;
  fakeCounter = 999999;
  fakeTicks = 150;
  uint32_t stamp = 100;
  EXPECT_EQ(timerElapsed(&stamp), 50u);
  EXPECT_EQ(stamp, 150u);
  fakeFrequency = 0;  // a counter without a frequency is no counter either
  counterWorks = 1;
  fakeTicks = 160;
  EXPECT_EQ(timerElapsed(&stamp), 10u);
}

TEST_F(TimerElapsed, TickCountWrapCountsOneMillisecondShort) {
  counterWorks = 0;
  fakeTicks = 5;
  uint32_t stamp = 4294967290u;
  EXPECT_EQ(timerElapsed(&stamp), 10u);
  EXPECT_EQ(stamp, 5u);
}
