// Playing a favourite: the player resumes the film the settings file names, at the
// position written there.
#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "player/replay.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {

void Form1::List1_DblClick() {
  PlayerSettings settings(platform_, SettingsPath());
  if (!settings.AutoResume()) {
    if (platform_.ShowMessage(texts::kAutoResumeOffReplay, texts::kAutoResumeTitle, MessageButtons::YesNo) ==
        MessageAnswer::No) {
      return;
    }
    settings.SwitchAutoResumeOn();
  }

  const bool exitAfterPlaying = Check1[2].Value() != 0;
  if (exitAfterPlaying) HideWindow();

  const ParsedListLine favourite = ParseListLine(List1.SelectedText());
  // With no row selected there is no film to play and none to offer for deletion: the
  // current row may name a favourite the user did not pick (a capture's refreshed row).
  const bool favouriteChosen = CurrentRow > 0 && List1.SelectedIndex() > 0;
  if (favouriteChosen && !IsPlainFile(platform_, favourite.path)) {
    if (platform_.ShowMessage(texts::kMissingFilm, texts::kNoticeTitle, MessageButtons::YesNo) ==
        MessageAnswer::Yes) {
      Command3_Click();
    }
    return;  // a hidden window stays hidden; the tray icon brings it back
  }

  if (favouriteChosen) StartReplay(platform_, settings, favourite);
  if (exitAfterPlaying) {
    Unload();
    return;
  }
  CurrentRow = List1.SelectedIndex();
}

}  // namespace reelmark
