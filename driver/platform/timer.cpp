// The millisecond timer: SDL's high-resolution counter, or its tick count
// where the counter cannot be read.
#include "platform/timer.h"

#include <SDL2/SDL.h>

static int systemCounter(int64_t* counter, int64_t* frequency) {
  *frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
  *counter = static_cast<int64_t>(SDL_GetPerformanceCounter());
  return *frequency > 0;
}

static uint32_t systemTickCount() { return SDL_GetTicks(); }

static const TimerClock systemClock = {systemCounter, systemTickCount};
static TimerClock activeClock = systemClock;

void setTimerClock(const TimerClock* clock) { activeClock = clock ? *clock : systemClock; }

// counter * 1000 / frequency, truncated, without the overflow of forming
// counter * 1000 first (a nanosecond counter passes 2^63 / 1000 after about
// 106 days of uptime).
static int64_t counterToMilliseconds(int64_t counter, int64_t frequency) {
  return counter / frequency * 1000 + counter % frequency * 1000 / frequency;
}

uint32_t timerElapsed(uint32_t* stamp) {
  uint32_t previous = *stamp;
  uint32_t now;
  uint32_t elapsed;
  int64_t counter = 0;
  int64_t frequency = 0;
  if (activeClock.readCounter(&counter, &frequency) && frequency > 0) {
    now = static_cast<uint32_t>(counterToMilliseconds(counter, frequency));
    elapsed = now - previous;  // modulo 2^32, right across the wrap
  } else {
    now = activeClock.readTickCount();
    // Across the wrap this counts one millisecond short; the animation's pace
    // relies on the figure as it is, so it stays.
    elapsed = now >= previous ? now - previous : (4294967295u - previous) + now;
  }
  *stamp = now;
  return elapsed;
}
