#include "player/capture.h"

#include "base/path.h"
#include "model/list_box.h"
#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "player/player.h"
#include "system/platform.h"

namespace reelmark {
namespace {

// The lowest favourite whose path has this name; 0 when none has.
int RowHoldingName(const ListBox& list, int lastRow, std::wstring_view name) {
  for (int i = 1; i <= lastRow; ++i) {
    if (FileNameOf(ListLinePath(list.Row(i))) == name) return i;
  }
  return 0;
}

}  // namespace

const std::wstring& MendedPath(Platform& platform, const std::wstring& favouritePath, const std::wstring& capturedPath) {
  return !IsPlainFile(platform, favouritePath) && IsPlainFile(platform, capturedPath) ? capturedPath : favouritePath;
}

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
  const int matched = film.path.empty() ? 0 : RowHoldingName(list, lastRow, FileNameOf(film.path));

  // Every row up to the matched one (or the last one) used to be selected in turn; only
  // the last selection is seen, and it alone decides the shown name and the current row.
  const int lastVisited = matched > 0 ? matched : lastRow;
  if (lastVisited > 0) list.Select(lastVisited);

  if (matched > 0) {
    // Rewritten even when the time is the same; the number is the row's index.
    const std::wstring rowPath(ListLinePath(list.Row(matched)));
    list.Replace(matched, FormatListLine(matched, film.shownSeconds, MendedPath(platform, rowPath, film.path)));
  } else if (player != 0 && !film.path.empty() && lastRow < kMaxFavourites) {
    list.Append(FormatListLine(lastRow + 1, film.shownSeconds, film.path));
  }
  return film.path;
}

}  // namespace reelmark
