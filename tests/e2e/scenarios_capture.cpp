// Start-up with the player playing: Reelmark closes it, takes the film and position it
// records, and reconciles them with the favourites.
#include <windows.h>

#include "controls.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "standin.h"
#include "text.h"

namespace e2e {
namespace {

// The player's settings as an earlier run left them: another film, which must not be
// what start-up reconciles with once the player has recorded the one it plays.
void PlayerSettingsOfEarlierRun(Context& context) {
  context.folder.Write(L"kk.ini", SettingsFile(context.folder.MakeFilm(L"旧片.avi"), 50));
}

void PlayerRecords(Context& context, long long time, std::optional<long long> delayMs = std::nullopt) {
  context.folder.Write(L"standin.ini", StandinControlFile({L"", time, delayMs}));
}

void ExpectSettingsHoldFilm(Context& context, const std::wstring& film, long long time) {
  const std::string settings = Bytes(context.folder, L"kk.ini");
  context.checks.ExpectText("kk.ini [Status] Filename after the capture", film,
                            IniValue(settings, L"Status", L"Filename").value_or(L"<absent>"));
  context.checks.ExpectText("kk.ini [Status] time after the capture", std::to_wstring(time),
                            IniValue(settings, L"Status", L"time").value_or(L"<absent>"));
}

void SameTimeSelectsFavourite(Context& context) {
  const Films films = MakeFilms(context.folder);
  PlayerSettingsOfEarlierRun(context);
  WriteFavourites(context, {}, {{3720, films.a}, {120, films.b}, {7, films.c}});
  PlayerRecords(context, 120);
  Process player = StartPlayingFilm(context.checks, context.folder, films.b);

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  ExpectPlayerClosedAfterPlaying(context.checks, context.folder, player, films.b);
  ExpectSettingsHoldFilm(context, films.b, 120);
  app.ExpectList("after start-up",
                 {kHeaderRow, Row(1, L"01:02:05", films.a), Row(2, L"00:02:05", films.b), Row(3, L"00:00:12", films.c)},
                 2, FileNameOf(films.b));

  ChooseMenuCommand(app.Main(), ids::kTrayExit);
  app.ExpectEnded("after the tray menu's 退出");
  ExpectFavouritesFile(context, "after the tray menu's 退出",
                       FavouritesFile({}, {{3720, films.a}, {120, films.b}, {7, films.c}}));
}

void OtherTimeAsksToUpdate(Context& context) {
  const Films films = MakeFilms(context.folder);
  PlayerSettingsOfEarlierRun(context);
  WriteFavourites(context, {}, {{40, films.a}, {3720, films.b}});
  PlayerRecords(context, 120);
  Process player = StartPlayingFilm(context.checks, context.folder, films.b);

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectStartupBox({FileNameOf(films.b),
                        L"当前的播放时间是：00:02:05\n\r以前的播放时间是：01:02:05\n\r你是否要更新以前的记录？",
                        Buttons::YesNo, IDYES});
  app.ExpectShown();
  ExpectPlayerClosedAfterPlaying(context.checks, context.folder, player, films.b);
  app.ExpectList("after Yes to the update", {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:02:05", films.b)},
                 2, FileNameOf(films.b));

  PressButton(app.Main(), ids::kCommand1);
  app.ExpectEnded("after pressing 退出");
  ExpectFavouritesFile(context, "after pressing 退出", FavouritesFile({}, {{40, films.a}, {120, films.b}}));
}

void NewFilmAsksToAdd(Context& context) {
  const Films films = MakeFilms(context.folder);
  PlayerSettingsOfEarlierRun(context);
  WriteFavourites(context, {}, {{40, films.a}, {3720, films.b}});
  PlayerRecords(context, 3600);
  Process player = StartPlayingFilm(context.checks, context.folder, films.c);

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectStartupBox({FileNameOf(films.c), L"这部不存在！\n\r你是否要收藏这部影片？", Buttons::YesNo, IDYES});
  app.ExpectShown();
  ExpectPlayerClosedAfterPlaying(context.checks, context.folder, player, films.c);
  app.ExpectList("after Yes to adding",
                 {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"01:02:05", films.b), Row(3, L"01:00:05", films.c)},
                 3, FileNameOf(films.c));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing",
                       FavouritesFile({}, {{40, films.a}, {3720, films.b}, {3600, films.c}}));
}

// A player that takes 1.5 s to record is still waited for: the film it plays is offered,
// not the one of its earlier run.
void SlowPlayerIsWaitedFor(Context& context) {
  const Films films = MakeFilms(context.folder);
  PlayerSettingsOfEarlierRun(context);
  WriteFavourites(context, {}, {{40, films.a}});
  PlayerRecords(context, 600, 1500);
  Process player = StartPlayingFilm(context.checks, context.folder, films.c);

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectStartupBox({FileNameOf(films.c), L"这部不存在！\n\r你是否要收藏这部影片？", Buttons::YesNo, IDNO});
  app.ExpectShown();
  ExpectPlayerClosedAfterPlaying(context.checks, context.folder, player, films.c);
  ExpectSettingsHoldFilm(context, films.c, 600);
  app.ExpectList("after No to adding", {kHeaderRow, Row(1, L"00:00:45", films.a)}, 0, L"");

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
}

// With no player running, start-up reconciles the film the player played last. Each
// favourite holding it with another time is asked about; a path that differs only in
// letter case is another film.
void LastFilmMatchesTwice(Context& context) {
  const Films films = MakeFilms(context.folder);
  std::wstring otherCase = films.c;
  otherCase.back() = L'V';  // .mkV
  context.folder.Write(L"kk.ini", SettingsFile(films.b, 120));
  WriteFavourites(context, {}, {{3720, films.b}, {10, otherCase}, {100, films.b}});

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  const std::wstring title = FileNameOf(films.b);
  app.ExpectStartupBox({title, L"当前的播放时间是：00:02:05\n\r以前的播放时间是：01:02:05\n\r你是否要更新以前的记录？",
                        Buttons::YesNo, IDYES});
  app.ExpectStartupBox({title, L"当前的播放时间是：00:02:05\n\r以前的播放时间是：00:01:45\n\r你是否要更新以前的记录？",
                        Buttons::YesNo, IDNO});
  app.ExpectShown();
  app.ExpectList("after Yes, then No",
                 {kHeaderRow, Row(1, L"00:02:05", films.b), Row(2, L"00:00:15", otherCase), Row(3, L"00:01:45", films.b)},
                 3, FileNameOf(films.b));

  ChooseMenuCommand(app.Main(), ids::kZouren);
  app.ExpectEnded("after 走人");
}

}  // namespace

void AddCaptureScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"capture-same-film-same-time-selects-it", SameTimeSelectsFavourite});
  scenarios.push_back({"capture-same-film-other-time-asks-to-update", OtherTimeAsksToUpdate});
  scenarios.push_back({"capture-new-film-asks-to-add", NewFilmAsksToAdd});
  scenarios.push_back({"capture-waits-for-a-slow-player", SlowPlayerIsWaitedFor});
  scenarios.push_back({"capture-last-film-of-two-favourites-asks-twice", LastFilmMatchesTwice});
}

}  // namespace e2e
