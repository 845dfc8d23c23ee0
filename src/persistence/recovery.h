// The recovery file: while the program runs, a copy of its favourites beside kk_fav.ini,
// written soon after every change, so that a crash, a kill or a power cut loses nothing.
// Every end that saves removes it; a start that finds one restores it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "persistence/favourites.h"
#include "system/platform.h"

namespace reelmark {

inline constexpr wchar_t kRecoveryFile[] = L"kk_fav.recovery.ini";
// Where a recovery file that the program cannot have written is kept aside.
inline constexpr wchar_t kSetAsideRecoveryFile[] = L"kk_fav.recovery.bad";

// When the recovery file is due. The first change starts the timer; the changes that
// follow before it runs out are written with it, so a burst of changes (a key held down)
// makes one write per delay, and a run without changes makes none.
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
  // The timer event came: whether a write is due now.
  bool Due();
  // What came of a write. The answer is the delay to start the timer with again (after a
  // failure, the write is tried again), or 0.
  unsigned Written(bool succeeded, std::uint64_t now);
  // Changes that no recovery file holds yet.
  bool Unsaved() const { return unsaved_; }

 private:
  bool unsaved_ = false;
  bool timerRunning_ = false;
  bool hurried_ = false;      // the write at once is asked for
  std::uint64_t since_ = 0;   // the first change not written, or the last failed write
};

// The favourites start-up reads, from the recovery file a run left behind when there is
// one, else from kk_fav.ini.
struct StartUpFavourites {
  FavouritesFile file;
  // Read from a recovery file that could not be put in place of kk_fav.ini: its bytes as
  // read. The file stays where it is for the next start.
  std::optional<std::string> recoveryLeftInPlace;
};

// Start-up's read of the favourites in the program directory `folder`. A recovery file
// there was left by a run that did not end: it is put in place of kk_fav.ini (hidden and
// system, in one step) and read; when it cannot be moved, it is read where it is. One
// without the section "options" is no file the program wrote: it is kept aside as the
// one kk_fav.recovery.bad, and kk_fav.ini is read as it is.
StartUpFavourites ReadFavouritesAtStartUp(Platform& platform, const std::wstring& folder);

}  // namespace reelmark
