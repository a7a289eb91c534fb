// The start offer: reading ended runs' copies, the box, restoring or discarding.
#include "app/journal_offer.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "app/journal.h"
#include "app/level_load.h"
#include "data/failure.h"
#include "platform/window.h"
#include "state/editor_state.h"
#include "state/journal_copy.h"
#include "state/journal_levels.h"
#include "state/level_title.h"

static constexpr int OfferListedLevels = 10;  // named in the box; the rest are counted

static std::vector<uint8_t> readWholeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  uint8_t buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.insert(bytes.end(), buffer, buffer + got);
  std::fclose(file);
  return bytes;
}

// The copy as a level bound to its style; 1 with failureReason() set when it
// does not read back.
static int readOfferedCopy(const FoundCopy& found, OfferedLevel* out) {
  out->bytes = readWholeFile(found.path);
  int number = -1;
  if (decodeJournalCopy(out->bytes.data(), out->bytes.size(), &number, &out->level) != 0) return 1;
  if (number != found.number || number >= LevelCount) {
    setFailureReason("recovery copy holds another level than its name says");
    return 1;
  }
  if (out->level.style < 0 || out->level.style >= StyleCount) {
    setFailureReason("recovery copy names no style 0..11");
    return 1;
  }
  if (loadStyle(out->level.style, &out->style) != 0) return 1;
  out->number = number;
  out->writtenAt = found.writtenAt;
  return attachJournalStyle(out->style, &out->level);
}

RecoveryOffer readRecoveryOffer(const std::string& folder, const JournalRun& self) {
  RecoveryOffer offer;
  const RecoveryScan scan = scanRecoveryFolder(folder, self);
  offer.endedRuns = scan.endedRuns;
  for (const FoundCopy& found : scan.copies) {  // newest first: an older copy of a level is superseded
    const bool known = std::any_of(offer.levels.begin(), offer.levels.end(),
                                   [&](const OfferedLevel& l) { return l.number == found.number; });
    if (known) continue;
    OfferedLevel level{};
    if (readOfferedCopy(found, &level) == 0) {
      offer.levels.push_back(std::move(level));
      continue;
    }
    freeStyle(&level.style);
    const std::string kept = found.path + ".damaged";
    std::fprintf(stderr, "driver: recovery copy %s not restored: %s; kept as %s\n", found.path.c_str(),
                 failureReason(), rename(found.path.c_str(), kept.c_str()) == 0 ? kept.c_str() : found.path.c_str());
    offer.damaged += (offer.damaged.empty() ? "" : ", ") + std::to_string(found.number);
  }
  std::sort(offer.levels.begin(), offer.levels.end(),
            [](const OfferedLevel& a, const OfferedLevel& b) { return a.number < b.number; });
  return offer;
}

std::string recoveryOfferText(const RecoveryOffer& offer) {
  std::string text = "driver ended without saving these levels, and kept their edits:\n\n";
  const int count = int(offer.levels.size());
  for (int i = 0; i < count && i < OfferListedLevels; ++i) {
    const OfferedLevel& l = offer.levels[size_t(i)];
    char title[160], when[40] = "";
    formatLevelTitle(l.number, l.level.name, title, sizeof title);
    const std::time_t written = std::time_t(l.writtenAt);
    std::tm local{};
    if (localtime_r(&written, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    text += std::string(title) + " (last written " + when + ")\n";
  }
  if (count > OfferListedLevels) text += "and " + std::to_string(count - OfferListedLevels) + " more\n";
  text += "\nRestore brings them back unsaved, marked *. Discard deletes these copies.";
  return text;
}

static void removeEndedRuns(const RecoveryOffer& offer) {
  for (const JournalRun& run : offer.endedRuns) removeJournalRun(journalFolder(), run);
}

void restoreRecoveryOffer(RecoveryOffer* offer) {
  if (offer->levels.empty()) return;
  // This run's copies first, so the work is on disk twice rather than nowhere.
  for (OfferedLevel& l : offer->levels) {
    journalAdoptCopy(l.number, l.bytes);
    keepRestoredLevel(l.number, std::move(l.level), std::move(l.style));
  }
  removeEndedRuns(*offer);
  showKeptLevel(offer->levels.front().number);
}

void discardRecoveryOffer(const RecoveryOffer& offer) { removeEndedRuns(offer); }

void startJournalWithOffer() {
  const std::string stateHome = journalStateHome();
  char* here = getcwd(nullptr, 0);
  if (stateHome.empty() || !here) {
    std::fprintf(stderr, "driver: no recovery journal: %s\n",
                 here ? "neither XDG_STATE_HOME nor HOME names a folder" : "the current directory has no name");
    std::free(here);
    return;
  }
  const std::string folder = recoveryFolderFor(stateHome, here);
  std::free(here);
  if (journalStart(folder, thisJournalRun()) != 0) return;

  RecoveryOffer offer = readRecoveryOffer(folder, journalRun());
  if (offer.levels.empty()) {
    removeEndedRuns(offer);  // stale locks taken over; .damaged copies stay
  } else {
    const char* const buttons[] = {"Restore", "Discard"};
    const std::string text = recoveryOfferText(offer);
    // Without a box the copies are restored: nothing is thrown away unasked.
    const int choice = messageBoxEscapeTo(editor.window, MessageBoxWarning, "Unsaved edits kept", text.c_str(),
                                          buttons, 2, 0);
    if (choice == 1) discardRecoveryOffer(offer);
    else restoreRecoveryOffer(&offer);
  }
  if (!offer.damaged.empty()) showTitleNote("recovery copy of level %s damaged, kept as .damaged", offer.damaged.c_str());
}
