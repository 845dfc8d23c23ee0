// The recovery file: the run's favourites on the disk within a second of every change,
// for the next start to restore when this run does not end. It is written off the
// window's thread; the form decides what is written when.
#include <memory>
#include <utility>

#include "persistence/favourites.h"
#include "ui/form1.h"

namespace reelmark {
namespace {

// How long an end waits for the writer's last write before it saves or removes: a disk
// that does not answer never keeps the program from ending.
constexpr unsigned kWriterWaitMs = 3000;

}  // namespace

void Form1::FavouritesChanged() {
  // Start-up's own rows are those of the file it read; what its questions change is
  // told once it has finished.
  if (!loaded_ || ended_) return;
  switch (recovery_.Changed(platform_.Milliseconds())) {
    case RecoverySchedule::Step::StartTimer: platform_.StartTimer(FormTimer::Recovery, RecoverySchedule::kDelayMs); break;
    case RecoverySchedule::Step::WriteAtOnce: platform_.PostTimerEvent(); break;
    case RecoverySchedule::Step::None: break;
  }
}

void Form1::KeepRowsOnDisk() {
  if (onDisk_ && !onDisk_->rows) onDisk_->rows = std::make_shared<const std::vector<std::wstring>>(List1.Rows());
}

std::array<int, 3> Form1::Options() const { return {Check1[0].Value(), Check1[1].Value(), Check1[2].Value()}; }

void Form1::RecoveryTimer_Timer() {
  if (!loaded_ || ended_ || !recovery_.Due()) return;
  WriteRecovery();
}

void Form1::WriteRecovery() {
  const std::array<int, 3> options = Options();
  // A change that left every row and option as it was (a row rewritten as it stood, an
  // empty list cleared) is none: nothing is written. A recovery file that names an older
  // kk_fav.ini than there is now is written again, or it would not be restored.
  if (onDisk_ && onDisk_->options == options && (!OwnsRecoveryFile() || onDisk_->saved == savedStamp_) &&
      (!onDisk_->rows || *onDisk_->rows == List1.Rows())) {
    recovery_.NothingChanged();
    return;
  }
  RecoverySnapshot snapshot{std::make_shared<const std::vector<std::wstring>>(List1.Rows()), options, savedStamp_};
  onDisk_ = snapshot;
  handedRecovery_ = true;
  const std::uint32_t number = recovery_.Handed();
  // Only the copy of the rows is made here; the writer composes the file, writes it whole
  // and puts it in place in one step, as the favourites file is: an end at any moment
  // leaves the previous recovery file or the new one.
  platform_.HandToWriter(
      number, RecoveryPath(), [snapshot = std::move(snapshot)] { return ComposeRecoveryFile(snapshot); },
      kAttributeHidden | kAttributeSystem);
}

void Form1::RecoveryWritten(std::uint32_t number, bool succeeded) {
  if (!loaded_ || ended_) return;
  const unsigned retry = recovery_.Written(number, succeeded, platform_.Milliseconds());
  if (recovery_.Failed()) onDisk_.reset();  // what the file holds is not known
  if (retry) platform_.StartTimer(FormTimer::Recovery, retry);
}

bool Form1::RecoveryHoldsChanges() {
  if (recovery_.Unsaved()) WriteRecovery();
  if (handedRecovery_ && !recovery_.Holds()) {
    if (const auto outcome = platform_.WaitForWriter(kWriterWaitMs)) RecoveryWritten(outcome->number, outcome->succeeded);
  }
  return recovery_.Holds();
}

void Form1::RemoveRecovery() {
  // Only this run's: a file start-up could not restore nor keep aside stays for the next.
  // One that cannot go is never restored: kk_fav.ini was saved after it.
  if (OwnsRecoveryFile()) RemoveRecoveryFile(platform_, RecoveryPath());
  handedRecovery_ = false;
  recoveryReadInPlace_.reset();
}

void Form1::DiscardRecovery() {
  if (!OwnsRecoveryFile()) return;
  // Its last write first: nothing the writer does may come after what follows.
  const bool settled = !handedRecovery_ || platform_.WaitForWriter(kWriterWaitMs).has_value();
  if (recoveryReadInPlace_) {
    // It holds an earlier run's favourites, which no other file has: put back as it was,
    // newer than kk_fav.ini as it is now (an option click may have written it).
    const std::string earlier = RestampRecoveryFile(*recoveryReadInPlace_, savedStamp_);
    if (platform_.ReplaceFileAtomically(RecoveryPath(), earlier, OldAttributes::Clear) == 0) {
      platform_.SetAttributes(RecoveryPath(), kAttributeHidden | kAttributeSystem);
    }
    return;
  }
  // One that cannot go (or that a writer stuck on the disk may still put in place) is
  // marked as outlived: kk_fav.ini then bears a stamp newer than the one it names.
  const bool removed = RemoveRecoveryFile(platform_, RecoveryPath());
  if (!settled || !removed) {
    platform_.TouchFile(FavouritesPath());
    platform_.SetAttributes(FavouritesPath(), kAttributeHidden | kAttributeSystem);
  }
}

}  // namespace reelmark
