#include "persistence/recovery.h"

#include <utility>

namespace reelmark {

RecoverySchedule::Step RecoverySchedule::Changed(std::uint64_t now) {
  if (!unsaved_) {
    unsaved_ = true;
    since_ = now;
  }
  if (!timerRunning_) {
    timerRunning_ = true;
    return Step::StartTimer;
  }
  if (!hurried_ && now - since_ >= kOverdueMs) {
    hurried_ = true;
    return Step::WriteAtOnce;
  }
  return Step::None;
}

bool RecoverySchedule::Due() {
  timerRunning_ = false;
  hurried_ = false;
  return unsaved_;
}

unsigned RecoverySchedule::Written(bool succeeded, std::uint64_t now) {
  if (succeeded) {
    unsaved_ = false;
    return 0;
  }
  since_ = now;  // a write that fails is not tried at every change
  if (timerRunning_) return 0;
  timerRunning_ = true;
  return kRetryMs;
}

StartUpFavourites ReadFavouritesAtStartUp(Platform& platform, const std::wstring& folder) {
  const std::wstring recoveryPath = folder + L"\\" + kRecoveryFile;
  std::optional<std::string> bytes = platform.ReadFileBytes(recoveryPath);
  if (!bytes) return {FavouritesFile::Read(platform, folder + L"\\" + kFavouritesFileAsRead), std::nullopt};

  FavouritesFile recovered = FavouritesFile::Parse(std::move(*bytes));
  if (!recovered.hasOptions) {
    // Kept, not deleted: whatever it is, it may be all that is left of something.
    platform.MoveFileOver(recoveryPath, folder + L"\\" + kSetAsideRecoveryFile);
    return {FavouritesFile::Read(platform, folder + L"\\" + kFavouritesFileAsRead), std::nullopt};
  }
  const std::wstring favouritesPath = folder + L"\\" + kFavouritesFile;
  if (platform.MoveFileOver(recoveryPath, favouritesPath) == 0) {
    platform.SetAttributes(favouritesPath, kAttributeHidden | kAttributeSystem);
    return {std::move(recovered), std::nullopt};
  }
  // Held open, or a folder in the way: read where it is, and tried again next time. Its
  // bytes are read again only in this rare case, so the usual start copies nothing.
  return {std::move(recovered), platform.ReadFileBytes(recoveryPath).value_or(std::string())};
}

}  // namespace reelmark
