// The recovery file: while the program runs, a copy of its favourites beside kk_fav.ini,
// written soon after every change, so that a crash, a kill or a power cut loses nothing.
// Every end that saves removes it; a start that finds one its run left behind restores it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "persistence/favourites.h"
#include "system/platform.h"

namespace reelmark {

inline constexpr wchar_t kRecoveryFile[] = L"kk_fav.recovery.ini";
// Where a recovery file that is not restored is kept aside.
inline constexpr wchar_t kSetAsideRecoveryFile[] = L"kk_fav.recovery.bad";

// When the recovery file is due. The first change starts the timer; the changes that
// follow before it runs out are written with it, so a burst of changes (a key held down)
// makes one write per delay, and a run without changes makes none. The writes themselves
// are done by a writer off the window's thread, numbered as they are handed to it.
class RecoverySchedule {
 public:
  // From the first change to its write; well within a second, with the write itself.
  static constexpr unsigned kDelayMs = 500;
  // Input that keeps coming (a key held down while each move takes longer than the key's
  // repeat) holds a due timer back: a change this long after the first one not yet
  // written has the write come at once instead, ahead of the input.
  static constexpr unsigned kOverdueMs = 750;
  // After a write that failed (the file held open a moment, say), the next try.
  static constexpr unsigned kRetryMs = 5000;

  enum class Step { None, StartTimer, WriteAtOnce };
  // The favourites changed at `now` (milliseconds): what to do about the write.
  Step Changed(std::uint64_t now);
  // The recovery file no longer counts as it is (the file it is newer than was written):
  // whether the write is to come at once.
  Step Hurry();
  // The timer event came: whether a write is due now.
  bool Due();
  // Every change so far is handed to the writer: the number of that write.
  std::uint32_t Handed();
  // Every change so far turned out to be none: the files hold it all already.
  void NothingChanged() { unsaved_ = false; }
  // What came of write `number` (told once or more). The answer is the delay to start the
  // timer with again (the newest write failed: it is tried again), or 0.
  unsigned Written(std::uint32_t number, bool succeeded, std::uint64_t now);
  // Changes that no write handed over holds yet.
  bool Unsaved() const { return unsaved_; }
  // The recovery file holds every change, as far as the writer has told.
  bool Holds() const { return !unsaved_ && told_ == handed_ && lastSucceeded_; }
  // The newest write handed over failed.
  bool Failed() const { return told_ == handed_ && !lastSucceeded_; }

 private:
  bool unsaved_ = false;
  bool timerRunning_ = false;
  bool hurried_ = false;      // the write at once is asked for
  std::uint64_t since_ = 0;   // the first change not written, or the last failed write
  std::uint32_t handed_ = 0;  // the number of the newest write handed over
  std::uint32_t told_ = 0;    // the newest write whose outcome came back
  bool lastSucceeded_ = true;
};

// What a recovery file holds: the list's rows (the header row first), the three options,
// and the stamp of the kk_fav.ini it is newer than (nothing when there was none).
struct RecoverySnapshot {
  std::shared_ptr<const std::vector<std::wstring>> rows;
  std::array<int, 3> options{};
  std::optional<std::uint64_t> saved;
};

// The recovery file's bytes: the favourites file's layout, and a section "recovery" whose
// "Saved" is the stamp of the kk_fav.ini it is newer than (empty when there was none), so
// that one which outlived its run, whose kk_fav.ini was saved after it, is never restored.
std::string ComposeRecoveryFile(const RecoverySnapshot& snapshot);

// A recovery file's bytes, naming another kk_fav.ini stamp; every other byte as it was.
std::string RestampRecoveryFile(std::string bytes, std::optional<std::uint64_t> saved);

// A recovery file as start-up finds it, read once.
struct FoundRecovery {
  enum class State { None, Held, Read };
  State state = State::None;
  std::string bytes;  // when read
};
// Another program (a scanner, a backup) may hold the file a moment: one that exists but
// cannot be read is tried again every kHeldRetryMs, for up to kHeldWaitMs.
inline constexpr unsigned kHeldWaitMs = 5000;
inline constexpr unsigned kHeldRetryMs = 100;
FoundRecovery FindRecoveryAtStartUp(Platform& platform, const std::wstring& folder);

// The favourites start-up reads, from the recovery file a run left behind when there is
// one, else from kk_fav.ini.
struct StartUpFavourites {
  FavouritesFile file;
  // Read from a recovery file that could not be put in place of kk_fav.ini: its bytes as
  // read. The file stays where it is for the next start.
  std::optional<std::string> recoveryLeftInPlace;
  // The stamp of kk_fav.ini as the run starts from it: what its recovery file is newer than.
  std::optional<std::uint64_t> saved;
};

// Start-up's read of the favourites in the program directory `folder`, with the recovery
// file found there. One newer than kk_fav.ini was left by a run that did not end: it is put
// in place of kk_fav.ini (hidden and system, in one step) and read; when it cannot be
// moved, it is read where it is. Any other (one that outlived its run's end, one without
// the section "options", one no program of ours wrote) is kept aside as the one
// kk_fav.recovery.bad, and kk_fav.ini is read as it is.
StartUpFavourites ReadFavouritesAtStartUp(Platform& platform, const std::wstring& folder, FoundRecovery found);

// Removes the recovery file at `path`. One that another program holds a moment is tried
// again a few times over the next second, which an exit can afford. True when it is gone.
bool RemoveRecoveryFile(Platform& platform, const std::wstring& path);
inline constexpr int kRemoveTries = 6;
inline constexpr unsigned kRemoveRetryMs = 200;

}  // namespace reelmark
