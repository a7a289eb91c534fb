// Timer, local clock, cursor and sockets start-up of the platform layer.
#include "platform/timer.h"

#include <SDL2/SDL.h>
#include <ctime>
#include <fcntl.h>

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
    // The wrap branch counts one millisecond short; kept as the editor has always timed it.
    elapsed = now >= previous ? now - previous : (4294967295u - previous) + now;
  }
  *stamp = now;
  return elapsed;
}

static std::tm localNow(long* nanoseconds) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm parts{};
  localtime_r(&now.tv_sec, &parts);
  *nanoseconds = now.tv_nsec;
  return parts;
}

void localDate(int* year, int* month, int* day) {
  long ns = 0;
  std::tm t = localNow(&ns);
  *year = t.tm_year + 1900;
  *month = t.tm_mon + 1;
  *day = t.tm_mday;
}

void localTime(int* hour, int* minute, int* second, int* millisecond) {
  long ns = 0;
  std::tm t = localNow(&ns);
  *hour = t.tm_hour;
  *minute = t.tm_min;
  *second = t.tm_sec;
  *millisecond = static_cast<int>(ns / 1000000);
}

void cursorPosition(int* x, int* y) {
  *x = *y = 0;
  SDL_GetGlobalMouseState(x, y);
}

int setCursorPosition(int x, int y) { return SDL_WarpMouseGlobal(x, y) == 0 ? 0 : 1; }

// POSIX sockets need no library start-up or clean-up.
int netStartup() { return 0; }
int netShutdown() { return 0; }

int netSetNonBlocking(int socket) {
  int flags = fcntl(socket, F_GETFL, 0);
  if (flags < 0) return flags;
  return fcntl(socket, F_SETFL, flags | O_NONBLOCK);
}
