// The journal's timing: what changed, what is due, what became clean.
#include "app/journal.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/journal_writer.h"
#include "data/failure.h"
#include "state/editor_state.h"
#include "state/journal_copy.h"
#include "state/journal_levels.h"
#include "state/level_title.h"

// One level that holds, or held, unsaved edits this run.
struct JournalEntry {
  int number;
  std::vector<uint8_t> seen;     // its copy as last built
  std::vector<uint8_t> written;  // as last handed to the writer; empty: no copy on disk
  bool pending;                  // seen differs from written
  uint64_t dueAt;                // when pending: when to write it
  uint64_t nextAllowed;          // a write before this would be the second within JournalDelayMs
};

static uint64_t steadyMs() {
  using namespace std::chrono;
  return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

static struct {
  bool active = false;
  bool signalled = false;
  bool refused = false;  // the level writer refused the last copy built (told once until one is built)
  std::string folder;
  JournalRun run{};
  std::vector<JournalEntry> entries;
  uint64_t (*now)() = steadyMs;
} journal;

void setJournalClock(uint64_t (*nowMs)()) { journal.now = nowMs ? nowMs : steadyMs; }
bool journalActive() { return journal.active; }
const std::string& journalFolder() { return journal.folder; }
const JournalRun& journalRun() { return journal.run; }

int journalStart(const std::string& folder, const JournalRun& run) {
  journalWriterStop();
  journal.active = false;
  journal.signalled = false;
  journal.entries.clear();
  if (makeRecoveryFolder(folder) != 0) {
    std::fprintf(stderr, "driver: no recovery journal: cannot make %s: %s\n", folder.c_str(), std::strerror(errno));
    return 1;
  }
  journal.folder = folder;
  journal.run = run;
  journal.active = true;
  journalWriterStart();
  // By the writer, like every copy after it: the first frame waits for no flush.
  journalWriterPut(journalLockPath(folder, run), journalLockBytes(run));
  return 0;
}

static JournalEntry* journalEntry(int number) {
  for (JournalEntry& entry : journal.entries)
    if (entry.number == number) return &entry;
  return nullptr;
}

static void journalWrite(JournalEntry* entry, uint64_t now) {
  entry->written = entry->seen;
  entry->pending = false;
  entry->nextAllowed = now + JournalDelayMs;
  journalWriterPut(journalCopyPath(journal.folder, journal.run, entry->number), entry->written);
}

// Builds the level's copy and notes whether it differs from what is on disk.
// A level the writer refuses keeps its last copy; the refusal is told once.
static JournalEntry* journalNote(int number, uint64_t now) {
  const Level* level = levelInMemory(number);
  if (!level) return nullptr;
  JournalEntry* entry = journalEntry(number);
  if (!entry) {
    journal.entries.push_back(JournalEntry{number, {}, {}, false, 0, 0});
    entry = &journal.entries.back();
  }
  std::vector<uint8_t> bytes;
  if (encodeJournalCopy(number, *level, &bytes) != 0) {
    if (!journal.refused) std::fprintf(stderr, "driver: level %d not journalled: %s\n", number, failureReason());
    journal.refused = true;
    return entry;
  }
  journal.refused = false;
  if (bytes == entry->seen) return entry;
  entry->seen = std::move(bytes);
  const bool wasPending = entry->pending;
  entry->pending = entry->seen != entry->written;
  if (entry->pending && !wasPending) entry->dueAt = std::max(now + JournalDelayMs, entry->nextAllowed);
  return entry;
}

// Copies of levels that no longer hold unsaved edits (saved, undone to the
// saved state, or dropped from memory) go.
static void journalDropClean() {
  for (auto it = journal.entries.begin(); it != journal.entries.end();) {
    if (levelHoldsUnsavedEdits(it->number)) {
      ++it;
      continue;
    }
    if (!it->written.empty()) journalWriterRemove(journalCopyPath(journal.folder, journal.run, it->number));
    it = journal.entries.erase(it);
  }
}

static void journalReportFailures() {
  std::string reason;
  const int failures = journalWriterTakeFailures(&reason);
  if (failures == 0) return;
  std::fprintf(stderr, "driver: recovery copy not written in %s: %s\n", journal.folder.c_str(), reason.c_str());
  showTitleNote("recovery copy not written: %s", reason.c_str());
}

void journalPass(bool eventsHandled) {
  if (!journal.active) return;
  const uint64_t now = journal.now();
  journalDropClean();
  for (int number : levelsInMemory()) {
    if (!levelHoldsUnsavedEdits(number)) continue;
    // Only the current level changes, and only through events; a level that
    // turned unsaved without being current is built once.
    if (!journalEntry(number) || (eventsHandled && number == editor.levelNumber)) journalNote(number, now);
  }
  for (JournalEntry& entry : journal.entries)
    if (entry.pending && now >= entry.dueAt) journalWrite(&entry, now);
  journalReportFailures();
}

int journalRestMs() {
  if (!journal.active) return JournalIdleMs;
  const uint64_t now = journal.now();
  uint64_t soonest = UINT64_MAX;
  for (const JournalEntry& entry : journal.entries)
    if (entry.pending) soonest = std::min(soonest, entry.dueAt);
  if (soonest == UINT64_MAX) return JournalIdleMs;
  return soonest <= now ? 0 : int(std::min<uint64_t>(soonest - now, JournalIdleMs));
}

// The level's copy now, whatever the timing says.
static void journalWriteNow(int number, uint64_t now) {
  if (!levelHoldsUnsavedEdits(number)) return;
  JournalEntry* entry = journalNote(number, now);
  if (entry && entry->pending) journalWrite(entry, now);
}

void journalBeforeSwitch() {
  if (journal.active) journalWriteNow(editor.levelNumber, journal.now());
}

void journalOnSignal() {
  if (!journal.active) return;
  const uint64_t now = journal.now();
  journalDropClean();
  for (int number : levelsInMemory()) journalWriteNow(number, now);
  journalWriterFlush();
  journal.signalled = true;
}

void journalEnd() {
  if (!journal.active) return;
  journalWriterStop();
  if (!journal.signalled) {
    removeJournalRun(journal.folder, journal.run);
    pruneRecoveryFolder(journal.folder);
  }
  journal.active = false;
  journal.entries.clear();
}

void journalAdoptCopy(int number, const std::vector<uint8_t>& bytes) {
  if (!journal.active) return;
  journal.entries.push_back(JournalEntry{number, bytes, {}, false, 0, 0});
  journalWrite(&journal.entries.back(), journal.now());
  journalWriterFlush();
}
