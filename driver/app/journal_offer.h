#pragma once
// The offer at start: levels that an ended run journalled and nobody saved are
// named in a box; Restore (Return, and Escape too, so nothing goes without a
// click) makes each a kept level with its `*`, Discard deletes their copies.

#include <string>
#include <vector>

#include "data/level.h"
#include "data/style.h"
#include "state/journal_store.h"

// Begins this run's journal in the current directory's recovery folder and
// offers what ended runs left there. Called once the first level is shown.
void startJournalWithOffer();

struct OfferedLevel {
  int number;
  long long writtenAt;         // seconds since the epoch
  Level level;                 // as the copy holds it, bound to `style`
  Style style;
  std::vector<uint8_t> bytes;  // the copy as read
};

struct RecoveryOffer {
  std::vector<OfferedLevel> levels;  // the newest copy of each level, by ascending number
  std::vector<JournalRun> endedRuns; // their files go once the offer is answered
  std::string damaged;               // the levels whose copies were renamed .damaged ("5, 7"), or ""
};

// Reads what runs other than `self` that are no longer running left in
// folder. A copy that does not read back is renamed <copy>.damaged, named on
// standard error and in offer.damaged, and not offered.
RecoveryOffer readRecoveryOffer(const std::string& folder, const JournalRun& self);
std::string recoveryOfferText(const RecoveryOffer& offer);  // the box's text
// Makes each offered level a kept level, journalled under this run, removes
// the ended runs' files and shows the lowest-numbered level.
void restoreRecoveryOffer(RecoveryOffer* offer);
void discardRecoveryOffer(const RecoveryOffer& offer);  // the ended runs' files removed (.damaged kept)
