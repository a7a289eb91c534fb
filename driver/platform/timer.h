#pragma once
// The millisecond timer behind the animation tick.

#include <cstdint>

// Milliseconds since *stamp was last written (unsigned 32-bit arithmetic);
// writes the current reading into *stamp.
uint32_t timerElapsed(uint32_t* stamp);

// The clocks behind timerElapsed. The system's are used unless a test puts
// its own in place, so the arithmetic can be checked at any reading.
struct TimerClock {
  int (*readCounter)(int64_t* counter, int64_t* frequency);  // 1 if the high-resolution counter was read
  uint32_t (*readTickCount)();                               // milliseconds, wrapping at 2^32
};
void setTimerClock(const TimerClock* clock);  // none puts the system's clocks back
