#pragma once
// Makes every write beyond a few bytes fail (EFBIG) while in scope, so the
// failure paths of the file replacement can be tested even as root, for whom
// permissions never fail.

#include <csignal>
#include <sys/resource.h>

struct FileSizeLimit {
  struct rlimit saved {};
  void (*previousHandler)(int) = nullptr;
  bool active = false;

  explicit FileSizeLimit(rlim_t bytes) {
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return;
    struct rlimit limited = saved;
    limited.rlim_cur = bytes;
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);  // report EFBIG instead of killing the test
    active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};
