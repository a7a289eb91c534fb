#pragma once
// Where the journal keeps its recovery copies, and which run owns which.
//
// Each data folder has a recovery folder of its own,
//   $XDG_STATE_HOME/levelkit/recovery/<the data folder's absolute path, percent-encoded>/
// ($HOME/.local/state when XDG_STATE_HOME is unset or not absolute). A run
// owns the files named after it: run-<pid>-<start>.lock, its lock, holding
// the pid, and run-<pid>-<start>-LEVEL<nnn>.copy, one copy per level. <start>
// is the process's start time, so a pid used again is not taken for the run
// that died. A copy that did not read back is renamed <copy>.damaged, which no
// scan offers and no run removes.

#include <cstdint>
#include <string>
#include <vector>

struct JournalRun {
  int pid;
  unsigned long long start;  // process start time in clock ticks since boot; 0 unknown
  bool operator==(const JournalRun&) const = default;
};

JournalRun thisJournalRun();
// The process named by the run is still running (and started when it says).
bool journalRunAlive(const JournalRun& run);

// Paths ----------------------------------------------------------------------
// The recovery folder of the data folder at dataFolder (absolute), under
// stateHome (the XDG state folder; see journalStateHome).
std::string recoveryFolderFor(const std::string& stateHome, const std::string& dataFolder);
// $XDG_STATE_HOME when absolute, else $HOME/.local/state; "" when neither is known.
std::string journalStateHome();
std::string journalLockPath(const std::string& folder, const JournalRun& run);
std::string journalCopyPath(const std::string& folder, const JournalRun& run, int number);

// Files ----------------------------------------------------------------------
// Creates the folder and its parents (mode 0700: copies hold the user's
// work). 0 on success; 1 with errno set.
int makeRecoveryFolder(const std::string& folder);
std::vector<uint8_t> journalLockBytes(const JournalRun& run);  // what the run's lock holds: its pid
// Replaces path with the bytes in one step (the shared atomic replacement).
// 0 on success; 1 with errno set.
int writeJournalFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Removes every file of the run, its lock last; .damaged files stay.
void removeJournalRun(const std::string& folder, const JournalRun& run);
// Removes the folder, then levelkit/recovery and levelkit above it, each only
// when empty, so a clean end leaves nothing behind.
void pruneRecoveryFolder(const std::string& folder);

// Scanning -------------------------------------------------------------------
struct FoundCopy {
  std::string path;
  JournalRun run;
  int number;            // level number from the file name
  long long writtenAt;   // seconds since the epoch, the file's modification time
};

struct RecoveryScan {
  std::vector<FoundCopy> copies;      // of runs that ended (no live lock), newest first
  std::vector<JournalRun> endedRuns;  // runs with a lock or copies here that are not running
};

// What runs other than `self` left behind: runs whose lock names a live
// process are passed over.
RecoveryScan scanRecoveryFolder(const std::string& folder, const JournalRun& self);
