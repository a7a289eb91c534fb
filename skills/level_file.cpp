// Reading and replacing LEVEL___.DAT. The file is replaced through a
// temporary file renamed over it, so a failure half way (disk full, killed
// process) never leaves a truncated level behind.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "skills_core.h"

static std::string systemReason() { return std::strerror(errno); }

bool isOrdinaryFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int readWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* reason) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *reason = systemReason();
    return 1;
  }
  std::vector<uint8_t> data;
  uint8_t chunk[65536];
  for (;;) {
    ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      *reason = systemReason();
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

static bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<size_t>(put);
  }
  return true;
}

// Fails with the reason of the step that went wrong and removes the
// temporary file, so the directory looks as before.
static int abandon(int fd, const std::string& tempPath, std::string* reason) {
  *reason = systemReason();
  int saved = errno;
  if (fd >= 0) close(fd);
  unlink(tempPath.c_str());
  errno = saved;
  return 1;
}

int replaceFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason) {
  // Resolve a link so the link itself survives and its target is replaced.
  char resolved[PATH_MAX];
  std::string target = realpath(path.c_str(), resolved) ? std::string(resolved) : path;
  // A read-only file stays read-only, although the rename alone would pass.
  struct stat info;
  if (stat(target.c_str(), &info) != 0 || access(target.c_str(), W_OK) != 0) {
    *reason = systemReason();
    return 1;
  }
  std::string tempPath = target + ".XXXXXX";
  int fd = mkostemp(tempPath.data(), O_CLOEXEC);
  if (fd < 0) {
    *reason = systemReason();
    return 1;
  }
  if (!writeAll(fd, bytes)) return abandon(fd, tempPath, reason);
  if (fchmod(fd, info.st_mode & 07777) != 0) return abandon(fd, tempPath, reason);
  if (fsync(fd) != 0) return abandon(fd, tempPath, reason);
  if (close(fd) != 0) return abandon(-1, tempPath, reason);
  if (rename(tempPath.c_str(), target.c_str()) != 0) return abandon(-1, tempPath, reason);
  return 0;
}
