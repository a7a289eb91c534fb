// The recovery folder: its path, the runs' locks and copies, scanning.
#include "state/journal_store.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "levelfile/replace_file.h"

// Field 22 of /proc/<pid>/stat; 0 when it cannot be read.
static unsigned long long processStart(int pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/stat", pid);
  std::FILE* file = std::fopen(path, "r");
  if (!file) return 0;
  char line[1024];
  const bool read = std::fgets(line, sizeof line, file) != nullptr;
  std::fclose(file);
  // The command name may hold spaces and brackets: count fields after its last ')'.
  const char* p = read ? std::strrchr(line, ')') : nullptr;
  if (!p) return 0;
  for (int field = 2; field < 22 && p; ++field) p = std::strchr(p + 1, ' ');
  return p ? std::strtoull(p + 1, nullptr, 10) : 0;
}

JournalRun thisJournalRun() { return {int(getpid()), processStart(int(getpid()))}; }

bool journalRunAlive(const JournalRun& run) {
  if (run.pid <= 0 || (kill(run.pid, 0) != 0 && errno != EPERM)) return false;
  const unsigned long long start = processStart(run.pid);
  return start == 0 || run.start == 0 || start == run.start;
}

// [paths] ---------------------------------------------------------------------

// Letters, digits and "._-" stand for themselves, every other byte as %XX:
// one folder name per path, and no two paths share one.
static std::string percentEncoded(const std::string& path) {
  std::string name;
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '.' || c == '_' || c == '-') {
      name += char(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      name += hex;
    }
  }
  return name;
}

// A folder name fits in NAME_MAX bytes; a longer path keeps its end (the part
// a user recognises) and a hash of the whole, which keeps it apart from others.
static std::string recoveryFolderName(const std::string& dataFolder) {
  constexpr size_t MaxName = 200, KeptTail = 180;
  std::string name = percentEncoded(dataFolder);
  if (name.size() <= MaxName) return name;
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : dataFolder) hash = (hash ^ c) * 1099511628211ull;
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, "-%016" PRIx64, hash);
  return name.substr(name.size() - KeptTail) + suffix;
}

std::string recoveryFolderFor(const std::string& stateHome, const std::string& dataFolder) {
  return stateHome + "/levelkit/recovery/" + recoveryFolderName(dataFolder);
}

std::string journalStateHome() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return state;
  const char* home = std::getenv("HOME");
  return home && home[0] == '/' ? std::string(home) + "/.local/state" : std::string();
}

static std::string runPrefix(const JournalRun& run) {
  return "run-" + std::to_string(run.pid) + "-" + std::to_string(run.start);
}

std::string journalLockPath(const std::string& folder, const JournalRun& run) {
  return folder + "/" + runPrefix(run) + ".lock";
}

std::string journalCopyPath(const std::string& folder, const JournalRun& run, int number) {
  char level[24];
  std::snprintf(level, sizeof level, "-LEVEL%03d.copy", number);
  return folder + "/" + runPrefix(run) + level;
}

// [files] ---------------------------------------------------------------------

int makeRecoveryFolder(const std::string& folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return 1;
    if (slash == std::string::npos) return 0;
  }
}

std::vector<uint8_t> journalLockBytes(const JournalRun& run) {
  const std::string pid = std::to_string(run.pid) + "\n";
  return std::vector<uint8_t>(pid.begin(), pid.end());
}

int writeJournalFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const ReplaceResult result = replaceFileAtomically(path.c_str(), bytes.data(), bytes.size(), ReplaceAnyTarget);
  errno = result.error;
  return result.step == ReplaceDone ? 0 : 1;
}

static bool endsWith(const std::string& s, const char* tail) {
  const size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

static std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
  closedir(dir);
  return names;
}

void removeJournalRun(const std::string& folder, const JournalRun& run) {
  const std::string prefix = runPrefix(run) + "-";  // copies, and the temporary files of a killed write
  for (const std::string& name : folderEntries(folder))
    if (name.rfind(prefix, 0) == 0 && !endsWith(name, ".damaged")) unlink((folder + "/" + name).c_str());
  unlink(journalLockPath(folder, run).c_str());
}

void pruneRecoveryFolder(const std::string& folder) {
  std::string path = folder;
  for (int level = 0; level < 3 && rmdir(path.c_str()) == 0; ++level) path = path.substr(0, path.find_last_of('/'));
}

// [scanning] ------------------------------------------------------------------

// "run-<pid>-<start>" then `tail`; false for any other name.
static bool parseRunName(const std::string& name, const char* tail, JournalRun* run, int* number) {
  int pid = 0, used = 0;
  unsigned long long start = 0;
  if (std::sscanf(name.c_str(), "run-%d-%llu%n", &pid, &start, &used) != 2) return false;
  *run = {pid, start};
  const std::string rest = name.substr(size_t(used));
  if (!number) return rest == tail;
  int level = -1, levelUsed = 0;
  return std::sscanf(rest.c_str(), "-LEVEL%3d%n", &level, &levelUsed) == 1 && rest.substr(size_t(levelUsed)) == tail &&
         (*number = level) >= 0;
}

RecoveryScan scanRecoveryFolder(const std::string& folder, const JournalRun& self) {
  RecoveryScan scan;
  std::vector<JournalRun> liveRuns;
  const std::vector<std::string> names = folderEntries(folder);
  auto noteEnded = [&](const JournalRun& run) {
    if (std::find(scan.endedRuns.begin(), scan.endedRuns.end(), run) == scan.endedRuns.end())
      scan.endedRuns.push_back(run);
  };
  for (const std::string& name : names) {
    JournalRun run{};
    if (!parseRunName(name, ".lock", &run, nullptr) || run == self) continue;
    if (journalRunAlive(run)) liveRuns.push_back(run);
    else noteEnded(run);
  }
  for (const std::string& name : names) {
    JournalRun run{};
    int number = 0;
    if (!parseRunName(name, ".copy", &run, &number) || run == self) continue;
    if (std::find(liveRuns.begin(), liveRuns.end(), run) != liveRuns.end()) continue;
    struct stat info;
    const std::string path = folder + "/" + name;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    scan.copies.push_back({path, run, number, static_cast<long long>(info.st_mtime)});
    noteEnded(run);
  }
  std::stable_sort(scan.copies.begin(), scan.copies.end(),
                   [](const FoundCopy& a, const FoundCopy& b) { return a.writtenAt > b.writtenAt; });
  return scan;
}
