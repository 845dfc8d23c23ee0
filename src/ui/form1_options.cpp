// The option check boxes. A click stores the play-and-exit option at once; the two exit
// options reach the favourites file at shut-down, and all three the recovery file soon.
#include "persistence/favourites.h"
#include "persistence/module_ini.h"
#include "ui/form1.h"

namespace reelmark {

void Form1::Check1_Click(int) {
  constexpr size_t kDblExit = 2;
  const std::wstring path = FavouritesPath();
  // Whichever box was clicked; every other line of the file stays as it is.
  ModuleIni::WriteIni(platform_, path, kOptionsSection, kOptionKeys[kDblExit], StoredNumber(Check1[kDblExit].Value()));
  platform_.SetAttributes(path, kAttributeHidden | kAttributeSystem);
  savedStamp_ = platform_.FileStamp(path);
  // All three reach the recovery file, as they would reach kk_fav.ini at shut-down. Once
  // kk_fav.ini is newer than the recovery file, that file would no longer be restored:
  // the next one comes at once.
  FavouritesChanged();
  if (OwnsRecoveryFile() && recovery_.Hurry() == RecoverySchedule::Step::WriteAtOnce) platform_.PostTimerEvent();
}

}  // namespace reelmark
