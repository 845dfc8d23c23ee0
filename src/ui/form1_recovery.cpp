// The recovery file: the run's favourites on the disk within a second of every change,
// for the next start to restore when this run does not end.
#include "persistence/favourites.h"
#include "ui/form1.h"

namespace reelmark {

void Form1::FavouritesChanged() {
  // Start-up's own rows are those of the file it read; what its questions change is
  // told once it has finished.
  if (!loaded_ || ended_) return;
  switch (recovery_.Changed(platform_.Milliseconds())) {
    case RecoverySchedule::Step::StartTimer: platform_.StartTimer(RecoverySchedule::kDelayMs); break;
    case RecoverySchedule::Step::WriteAtOnce: platform_.PostTimerEvent(); break;
    case RecoverySchedule::Step::None: break;
  }
}

void Form1::RecoveryTimer_Timer() {
  if (!loaded_ || ended_ || !recovery_.Due()) return;
  WriteRecovery();
}

bool Form1::WriteRecovery() {
  // Written whole and put in place in one step, as the favourites file is: an end at any
  // moment leaves the previous recovery file or the new one.
  const bool written = WriteFavouritesFile(RecoveryPath()) == 0;
  wroteRecovery_ = wroteRecovery_ || written;
  if (const unsigned retry = recovery_.Written(written, platform_.Milliseconds())) platform_.StartTimer(retry);
  return written;
}

bool Form1::RecoveryHoldsChanges() { return !recovery_.Unsaved() || WriteRecovery(); }

void Form1::RemoveRecovery() {
  // Only this run's: a file start-up could not restore nor keep aside stays for the next.
  if (wroteRecovery_ || recoveryReadInPlace_) platform_.RemoveFile(RecoveryPath());
  wroteRecovery_ = false;
  recoveryReadInPlace_.reset();
}

void Form1::DiscardRecovery() {
  if (!wroteRecovery_) return;
  if (!recoveryReadInPlace_) {
    platform_.RemoveFile(RecoveryPath());
    return;
  }
  // It holds an earlier run's favourites, which no other file has.
  if (platform_.ReplaceFileAtomically(RecoveryPath(), *recoveryReadInPlace_, OldAttributes::Clear) == 0) {
    platform_.SetAttributes(RecoveryPath(), kAttributeHidden | kAttributeSystem);
  }
}

}  // namespace reelmark
