#include "progress.h"

#include <unistd.h>

#include <cstdio>

static bool progressShown = false;

void showProgress(int done, int total) {
  static const bool terminal = isatty(STDERR_FILENO) == 1;
  if (!terminal) return;
  std::fprintf(stderr, "\r%d/%d", done, total);
  progressShown = true;
}

void endProgress() {
  if (progressShown) std::fputs("\r\033[K", stderr);  // back to column 0, line cleared
  progressShown = false;
}
