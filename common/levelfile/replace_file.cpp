#include "levelfile/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

// The path a link leads to, so the link itself survives; the path as given
// when it does not resolve (a file about to be created).
static std::string resolvedPath(const char* path) {
  char* resolved = realpath(path, nullptr);
  if (!resolved) return path;
  std::string target = resolved;
  std::free(resolved);
  return target;
}

static std::string directoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// What a plain create would give: 0666 less the process's umask.
static mode_t createdFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

static bool writeAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t put = write(fd, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return false;
    if (put == 0) {  // no progress and no error: give up rather than spin
      errno = EIO;
      return false;
    }
    data += put;
    size -= size_t(put);
  }
  return true;
}

static bool syncFile(int fd) {
  int result;
  do result = fsync(fd);
  while (result != 0 && errno == EINTR);
  return result == 0;
}

// Fails with the step and the errno it left, removing the temporary file.
static ReplaceResult abandon(ReplaceStep step, int fd, const std::string& tempPath) {
  const int error = errno;
  if (fd >= 0) close(fd);
  unlink(tempPath.c_str());
  return {step, error};
}

bool fileWritableByUs(const char* path) {
  struct stat info;
  if (stat(path, &info) != 0) return false;
  if ((info.st_mode & 0222) == 0) {
    errno = EACCES;
    return false;
  }
  return access(path, W_OK) == 0;
}

ReplaceResult replaceFileAtomically(const char* path, const uint8_t* data, size_t size,
                                    ReplaceTarget target) {
  const std::string targetPath = resolvedPath(path);
  struct stat info;
  const bool exists = stat(targetPath.c_str(), &info) == 0;
  const bool mustBeWritable = target == ReplaceWritableTarget || (target == ReplaceUnlessReadOnly && exists);
  if (target == ReplaceWritableTarget && !exists) return {ReplaceTargetRefused, ENOENT};
  if (mustBeWritable && !fileWritableByUs(targetPath.c_str())) return {ReplaceTargetRefused, errno};
  const mode_t mode = exists ? info.st_mode & 07777 : createdFileMode();

  std::string tempPath = targetPath + ".XXXXXX";
  const int fd = mkostemp(tempPath.data(), O_CLOEXEC);
  if (fd < 0) return {ReplaceCreateFailed, errno};
  if (fchmod(fd, mode) != 0 || !writeAll(fd, data, size) || !syncFile(fd))
    return abandon(ReplaceWriteFailed, fd, tempPath);
  if (close(fd) != 0) return abandon(ReplaceWriteFailed, -1, tempPath);
  if (rename(tempPath.c_str(), targetPath.c_str()) != 0) return abandon(ReplaceRenameFailed, -1, tempPath);

  // The rename is done; flushing the directory only makes it durable sooner,
  // so a failure here is not the caller's concern.
  const int dirFd = open(directoryOf(targetPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    syncFile(dirFd);
    close(dirFd);
  }
  return {ReplaceDone, 0};
}
