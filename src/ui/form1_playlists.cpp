// Handing several favourites to the player at once: saving them as the playlist file,
// playing that file, and playing the selected favourite with those below it.
#include <vector>

#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "player/playlist.h"
#include "ui/form1.h"

namespace reelmark {
namespace {

// Where a walk that selects each row from `first` to `last` and then `back` leaves the
// selection, Label2 and the current row, without running the selection once per row:
// the last row walked has left its file name in Label2 when `back` shows none.
void SelectAsAfterWalk(ListBox& list, int first, int last, int back) {
  if (last >= first && last >= 1) list.Select(last);
  list.Select(back);
}

}  // namespace

void Form1::bobangliebiao_Click() {
  const int n = List1.Count();
  if (n == 0) return;
  const int remembered = List1.SelectedIndex();
  List1.SetVisible(false);
  // Written whole in one step: a failed write leaves the previous playlist, never a part.
  // A playlist its owner made read-only is left as it is.
  platform_.ReplaceFileAtomically(platform_.ProgramDirectory() + L"\\" + kPlaylistFile, PlaylistBytes(List1.Rows()),
                                  OldAttributes::Keep);
  SelectAsAfterWalk(List1, 1, n - 1, remembered);
  List1.SetVisible(true);
}

void Form1::bofang2_Click() { platform_.StartProcess(PlaylistCommandLine(platform_.ProgramDirectory())); }

void Form1::bofang3_Click() {
  // The player must not reopen its last film but play the ones it is given.
  PlayerSettings settings(platform_, SettingsPath());
  settings.ClearFilename();
  settings.SetResume(false);
  const int s = List1.SelectedIndex();
  // No favourite chosen: the header row, or a current row left without a selection (a
  // capture refreshed it, or the list was cleared).
  if (CurrentRow <= 0 || s < 1) return;

  const int n = List1.Count();
  std::vector<std::wstring> paths;
  for (int i = s; i <= n - 1; ++i) paths.push_back(ParseListLine(List1.Row(i)).path);
  SelectAsAfterWalk(List1, s, n - 1, s);
  platform_.StartProcess(FilesCommandLine(platform_.ProgramDirectory(), paths));
}

}  // namespace reelmark
