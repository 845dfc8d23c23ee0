// Shut-down: where the favourites reach kk_fav.ini, and the recovery file goes.
#include <vector>

#include "base/path.h"
#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "shell/hot_key.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

// The system's words for an error end in a line break, which the question has its own of.
std::wstring_view WithoutLineEnd(std::wstring_view text) {
  const size_t last = text.find_last_not_of(L"\r\n ");
  return last == std::wstring_view::npos ? std::wstring_view() : text.substr(0, last + 1);
}

std::wstring SaveFailedQuestion(const std::wstring& path, SystemError error, std::wstring_view reason,
                               bool recoverable) {
  std::wstring text = texts::kSaveFailed;
  text += texts::kQuestionBreak;
  text += path;
  text += texts::kQuestionBreak;
  text += WithoutLineEnd(reason);
  text += L"（";
  text += texts::kErrorCode;
  text += std::to_wstring(error);
  text += L"）";
  text += texts::kQuestionBreak;
  text += recoverable ? texts::kSaveFailedNoRecovers : texts::kSaveFailedNoLoses;
  text += texts::kQuestionBreak;
  text += texts::kRetry;
  return text;
}

}  // namespace

void Form1::Form_Unload() {
  const int current = CurrentRow;
  if (!sessionEnding_ && current > 0 && current <= List1.Count() - 1 && Check1[0].Value() != 0) {
    List1.Select(current);
    std::wstring question = texts::kDeleteOnExit;
    question += texts::kQuestionBreak;
    question += FileNameOf(List1.SelectedText());
    if (Ask(question, texts::kNoticeTitle, MessageButtons::YesNo) == MessageAnswer::Yes) List1.Remove(current);
  }
  // A capture asked for during the question runs now, before the favourites are written,
  // so its film is kept. Another unload asked for meanwhile has nothing left to do. At the
  // session's end the favourites are written at once: nothing waits for a player.
  if (!sessionEnding_) RunWaitingEvents();

  WriteOnExit();
  platform_.RemoveTrayIcon();
  SetHotKey(platform_, kHotKeyId, L"", L"Del");
}

void Form1::WriteOnExit() {
  SaveFavourites();
  if (Check1[1].Value() != 0) PlayerSettings(platform_, platform_.ProgramDirectory() + L"\\kk.INI").ClearFilename();
}

void Form1::SaveFavourites() {
  // The recovery file first holds what is saved, so that an end before the save restores
  // nothing older than the list; after the save it is never restored.
  RecoveryHoldsChanges();
  SystemError error = WriteFavouritesFile(FavouritesPath());
  if (sessionEnding_) {
    // Nobody may be there to answer, and the process may end any moment: one more try.
    if (error != 0) error = WriteFavouritesFile(FavouritesPath());
    if (error == 0) RemoveRecovery();
    return;
  }
  // A failed save is told: the old file is still whole, and this run's changes are in the
  // list and, when it could be written, in the recovery file, which No leaves for the next
  // start. With play-and-exit the window is hidden and the player in front, so the
  // question comes to the front of its own.
  while (error != 0) {
    const bool recoverable = RecoveryHoldsChanges();
    const std::wstring question =
        SaveFailedQuestion(FavouritesPath(), error, platform_.ErrorText(error), recoverable);
    if (Ask(question, texts::kNoticeTitle, MessageButtons::YesNo, true) != MessageAnswer::Yes) return;
    if (sessionEnding_) return;  // the session's end has written them meanwhile
    RunWaitingEvents();
    error = WriteFavouritesFile(FavouritesPath());
  }
  RemoveRecovery();
}

SystemError Form1::WriteFavouritesFile(const std::wstring& path) {
  // The file is composed whole and put in place in one step, so a failed write leaves the
  // favourites of the last run rather than a part of them.
  std::vector<ParsedListLine> rows;
  rows.reserve(static_cast<size_t>(List1.Count()));
  for (int i = 1; i < List1.Count(); ++i) rows.push_back(ParseListLine(List1.Row(i)));
  return SaveFavouritesFile(platform_, path, Options(), rows);
}

}  // namespace reelmark
