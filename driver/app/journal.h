#pragma once
// The journal: a recovery copy of every level that holds unsaved edits, so a
// crash, a kill or a power cut loses at most the last second of work.
//
// A level's copy is written one second after the first change not yet in a
// copy (so at most once a second), at once before a level switch and when a
// termination signal ends the program. A level that becomes clean loses its
// copy. The main thread only builds the copy's bytes; the writer thread
// replaces the file.

#include <cstdint>
#include <string>

#include "state/journal_store.h"

constexpr uint64_t JournalDelayMs = 1000;  // from a change to its copy, and between two copies of a level

// Starting and ending ----------------------------------------------------------
// Begins journalling into `folder` as `run`: the writer started, its lock the
// writer's first job. A run begun before in this process is dropped first,
// its files left as they are. 0 on success; 1 when the folder cannot be made
// (the journal stays off; the reason is on standard error).
int journalStart(const std::string& folder, const JournalRun& run);
// A termination signal: every level with unsaved edits is written now and
// waited for; journalEnd will keep the journal.
void journalOnSignal();
// The end of the run: after a signal the copies and the lock stay, after any
// other close they are removed. The writer is stopped either way.
void journalEnd();

// The main loop --------------------------------------------------------------
// Once per pass: notes a change of the current level (built anew only when
// events were handled), writes the copies that are due and removes the copies
// of levels that became clean.
void journalPass(bool eventsHandled);
// Milliseconds until the next copy is due; JournalIdleMs when none is.
int journalRestMs();
constexpr int JournalIdleMs = 1 << 30;
// Before a level switch: the current level's copy now, if it changed.
void journalBeforeSwitch();

// For the start offer and the tests ---------------------------------------------
bool journalActive();
const std::string& journalFolder();
const JournalRun& journalRun();
// A restored level whose copy `bytes` was just read: written under this run
// at once (the writer is flushed before this returns).
void journalAdoptCopy(int number, const std::vector<uint8_t>& bytes);
// The clock the timing reads, in milliseconds; none puts the steady clock back.
void setJournalClock(uint64_t (*nowMs)());
