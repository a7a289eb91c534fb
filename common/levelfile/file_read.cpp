// Reading a whole file and its version stamp, for both programs.
#include "levelfile/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

int readWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* reason) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *reason = std::strerror(errno);
    return 1;
  }
  std::vector<uint8_t> data;
  uint8_t chunk[65536];
  for (;;) {
    ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      *reason = std::strerror(errno);
      close(fd);
      return 1;
    }
    if (got == 0) break;
    data.insert(data.end(), chunk, chunk + got);
  }
  close(fd);
  *bytes = std::move(data);
  return 0;
}

FileStamp fileStampOf(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return {};
  return {true, uint64_t(info.st_dev), uint64_t(info.st_ino), int64_t(info.st_size),
          int64_t(info.st_mtim.tv_sec), int64_t(info.st_mtim.tv_nsec)};
}
