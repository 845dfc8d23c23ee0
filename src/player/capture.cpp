#include "player/capture.h"

#include "base/path.h"
#include "model/list_box.h"
#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "player/other_drive.h"
#include "player/player.h"
#include "system/platform.h"

namespace reelmark {
namespace {

// The favourite that holds the captured path, else the lowest whose path has its name;
// 0 when none does.
struct Match {
  int row = 0;
  bool samePath = false;
};
Match MatchingRow(const ListBox& list, int lastRow, std::wstring_view path) {
  const std::wstring_view name = FileNameOf(path);
  Match match;
  for (int i = 1; i <= lastRow; ++i) {
    const std::wstring_view rowPath = ListLinePath(list.Row(i));
    if (rowPath == path) return {i, true};
    if (match.row == 0 && FileNameOf(rowPath) == name) match.row = i;
  }
  return match;
}

}  // namespace

std::optional<std::wstring> CaptureFilm(Platform& platform, PlayerSettings& settings, ListBox& list) {
  if (!settings.AutoResume()) return std::nullopt;
  settings.SwitchAutoResumeOn();
  settings.SetResume(true);

  const WindowHandle player = FindPlayerWindow(platform, kPlayerTitlePrefix);
  ClosePlayer(platform, player);

  const int lastRow = list.Count() - 1;
  const CapturedFilm film = settings.ReadCapturedFilm();

  // A player that recorded no film leaves nothing to refresh or add: a row with an empty
  // path would end the favourites file at the next start-up and lose every row after it.
  const Match match = film.path.empty() ? Match{} : MatchingRow(list, lastRow, film.path);
  const int matched = match.row;

  // Every row up to the matched one (or the last one) used to be selected in turn; only
  // the last selection is seen, and it alone decides the shown name and the current row.
  const int lastVisited = matched > 0 ? matched : lastRow;
  if (lastVisited > 0) list.Select(lastVisited);

  if (matched > 0) {
    // Rewritten even when the time is the same; the number is the row's index.
    const std::wstring_view rowPath = ListLinePath(list.Row(matched));
    const bool moved = !match.samePath && MovedToOtherDrive(platform, rowPath, film.path);
    list.Replace(matched, FormatListLine(matched, film.shownSeconds, moved ? std::wstring_view(film.path) : rowPath));
  } else if (player != 0 && !film.path.empty() && lastRow < kMaxFavourites) {
    list.Append(FormatListLine(lastRow + 1, film.shownSeconds, film.path));
  }
  return film.path;
}

}  // namespace reelmark
