// Finding LEVEL___.DAT; reading it and telling its versions apart is
// levelfile's (file_read.h), replacing it levelfile's replaceFileAtomically.

#include <sys/stat.h>

#include "skills_core.h"

bool isOrdinaryFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
