// Start-up: from nothing to a shown window with the favourites loaded and reconciled
// with the film the player played last.
#include <algorithm>
#include <optional>

#include "base/numbers.h"
#include "base/path.h"
#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "persistence/recovery.h"
#include "player/other_drive.h"
#include "player/player.h"
#include "shell/hot_key.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

// A stored option counts only when its whole text is a number that gives 0, 1 or 2;
// anything else leaves its box as it is.
std::optional<int> StoredOptionValue(std::wstring_view text) {
  text = TrimSpaces(text);
  size_t i = (!text.empty() && (text[0] == L'+' || text[0] == L'-')) ? 1 : 0;
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= L'0' && text[i] <= L'9') digits = true;
    else if (text[i] == L'.' && !point) point = true;
    else return std::nullopt;
  }
  if (!digits) return std::nullopt;
  const int value = RoundHalfEven(LeadingNumber(text));
  if (value < 0 || value > 2) return std::nullopt;
  return value;
}

std::wstring Question(std::initializer_list<std::wstring_view> lines) {
  std::wstring text;
  for (std::wstring_view line : lines) {
    if (!text.empty()) text += texts::kQuestionBreak;
    text += line;
  }
  return text;
}

}  // namespace

void Form1::Form_Load() {
  RunEvent([this] { StartUp(); });
}

void Form1::StartUp() {
  FixedWidth = window.width;
  FixedHeight = window.height;
  CentreWindow();
  Label4.SetCaption(texts::kHelp);
  platform_.AddTrayIcon();
  platform_.SetTrayTip(texts::kCaption);

  PlayerSettings settings(platform_, SettingsPath());
  if (!settings.Exists()) {
    Ask(texts::kNotInPlayerFolder, texts::kNoticeTitle, MessageButtons::Ok);
    platform_.RemoveTrayIcon();
    EndAtOnce();
    return;
  }
  // A recovery file another program holds is waited for a moment. One still held then is
  // never taken for none, whose first write would put this run's list over it: nothing is
  // touched, not even the player, and the next start restores it.
  FoundRecovery recovery = FindRecoveryAtStartUp(platform_, platform_.ProgramDirectory());
  if (recovery.state == FoundRecovery::State::Held) {
    Ask(std::wstring(texts::kRecoveryHeld) + texts::kQuestionBreak + RecoveryPath(), texts::kNoticeTitle,
        MessageButtons::Ok);
    platform_.RemoveTrayIcon();
    EndAtOnce();
    return;
  }

  if (!settings.AutoResume() &&
      Ask(texts::kAutoResumeOffStartUp, texts::kAutoResumeTitle, MessageButtons::YesNo) == MessageAnswer::Yes) {
    settings.SwitchAutoResumeOn();
    settings.SetResume(true);
    Ask(texts::kRestartPlayer, texts::kNoticeTitle, MessageButtons::Ok);
  }

  ClosePlayerIfRunning();
  const CapturedFilm captured = settings.ReadCapturedFilm();
  Label3.SetCaption(L"");

  List1.SetVisible(false);
  List1.Clear();
  List1.Append(texts::kHeaderRow);

  // A run that did not end left its favourites in the recovery file: they come back here.
  StartUpFavourites startUp = ReadFavouritesAtStartUp(platform_, platform_.ProgramDirectory(), std::move(recovery));
  const FavouritesFile& stored = startUp.file;
  recoveryReadInPlace_ = std::move(startUp.recoveryLeftInPlace);
  savedStamp_ = startUp.saved;
  if (stored.exists) {
    for (size_t i = 0; i < Check1.size(); ++i) {
      if (const auto value = StoredOptionValue(stored.options[i])) Check1[i].SetValue(*value);
    }
  }

  int k = 1;
  int matches = 0;
  bool changed = false;  // the list differs from the file read
  // A favourite whose film is gone may be the captured film, moved with its disk to another
  // drive letter: it matches and takes the captured path, unless a favourite holds that path
  // already. Only the first such favourite does: after it, one holds the path.
  bool capturedHeld = captured.path.empty() ||
                      std::any_of(stored.favourites.begin(), stored.favourites.end(),
                                  [&](const StoredFavourite& favourite) { return favourite.path == captured.path; });
  const auto movedHere = [&](std::wstring_view path) {
    return !capturedHeld && MovedToOtherDrive(platform_, path, captured.path);
  };
  for (const StoredFavourite& favourite : stored.favourites) {
    std::int32_t shown = favourite.shownSeconds;
    std::wstring_view path = favourite.path;
    if (path == captured.path || movedHere(path)) {
      CurrentRow = k;
      ++matches;
      if (path != captured.path) changed = capturedHeld = true;
      path = captured.path;
      if (captured.shownSeconds != shown &&
          Ask(Question({std::wstring(texts::kCurrentTimeIs) + timestr(captured.shownSeconds),
                        std::wstring(texts::kEarlierTimeWas) + timestr(shown), texts::kUpdateEarlier}),
              std::wstring(FileNameOf(captured.path)), MessageButtons::YesNo) == MessageAnswer::Yes) {
        shown = captured.shownSeconds;
        changed = true;
      }
    }
    List1.Append(FormatListLine(k, shown, path));
    ++k;
  }

  // A full list has no number left to give: the film is then not offered.
  if (!captured.path.empty() && matches == 0 && k <= kMaxFavourites &&
      Ask(Question({texts::kNotAFavourite, texts::kAddIt}), std::wstring(FileNameOf(captured.path)),
          MessageButtons::YesNo) == MessageAnswer::Yes) {
    CurrentRow = k;
    List1.Append(FormatListLine(k, captured.shownSeconds, captured.path));
    changed = true;
  }

  List1.Select(CurrentRow);
  List1.SetVisible(true);
  loaded_ = true;
  if (changed) {
    FavouritesChanged();
  } else {
    onDisk_ = RecoverySnapshot{nullptr, Options(), savedStamp_};  // what was read is on the disk already
  }
  SetHotKey(platform_, kHotKeyId, kHotKeyText, L"Add");
}

}  // namespace reelmark
