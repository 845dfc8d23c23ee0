// Playing a favourite: the player resumes the film the settings file names, at the
// position written there.
#include <optional>

#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "player/other_drive.h"
#include "player/replay.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {

void Form1::List1_DblClick() {
  RunEvent([this] {
    PlayerSettings settings(platform_, SettingsPath());
    if (!settings.AutoResume()) {
      if (Ask(texts::kAutoResumeOffReplay, texts::kAutoResumeTitle, MessageButtons::YesNo) == MessageAnswer::No) {
        return;
      }
      settings.SwitchAutoResumeOn();
    }
    // A current row without a selected one (a capture refreshed the row, or the list was
    // cleared) names a favourite the user did not pick: nothing is played, hidden or ended.
    if (CurrentRow > 0 && List1.SelectedIndex() < 1) return;

    const bool exitAfterPlaying = Check1[2].Value() != 0;
    if (exitAfterPlaying) HideWindow();

    ParsedListLine favourite = ParseListLine(List1.SelectedText());
    if (CurrentRow > 0 && !IsPlainFile(platform_, favourite.path)) {
      // A film gone from its drive letter is looked for on the others before anything is
      // asked; found on one alone, it is the same film: the favourite takes that path.
      std::optional<std::wstring> moved = FilmOnOtherDrive(platform_, favourite.path);
      if (!moved) {
        if (Ask(texts::kMissingFilm, texts::kNoticeTitle, MessageButtons::YesNo) == MessageAnswer::Yes) {
          Command3_Click();
        }
        return;  // a hidden window stays hidden; the tray icon brings it back
      }
      favourite.path = std::move(*moved);
      TakePath(List1.SelectedIndex(), favourite.path);
    }

    if (CurrentRow > 0) StartReplay(platform_, settings, favourite);
    if (exitAfterPlaying) {
      Unload();
      return;
    }
    CurrentRow = List1.SelectedIndex();
  });
}

void Form1::TakePath(int row, const std::wstring& path) {
  // Number and time stay as the row shows them.
  const std::wstring& line = List1.Row(row);
  std::wstring moved(line, 0, line.size() - ListLinePath(line).size());
  moved += path;
  List1.Replace(row, std::move(moved));
  List1.Select(row);  // the replace took the selection away
}

}  // namespace reelmark
