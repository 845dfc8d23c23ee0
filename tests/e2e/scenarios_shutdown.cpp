// Leaving with the exit options ticked: removing the current favourite, forgetting the
// player's last film.
#include <windows.h>

#include "controls.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

void DelLastRemovesCurrent(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {1, 0, 0}, {{10, films.a}, {20, films.b}, {30, films.c}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();

  ClickRow(app.List(), 2);
  context.checks.Expect(app.WaitForSelection(2), "clicking row 2: expected it selected, seen row " +
                                                     std::to_string(app.Selection()));
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectBox({L"提示", L"你确定要在列表中删除\n\r" + FileNameOf(films.b), Buttons::YesNo, IDYES});
  app.ExpectEnded("after Yes to removing row 2");
  ExpectFavouritesFile(context, "after Yes to removing row 2",
                       FavouritesFile({1, 0, 0}, {{10, films.a}, {30, films.c}}));
  ExpectFolderEntries(context, "after closing", {L"films", L"kk.ini", L"kk_fav.ini", L"mplayer.exe", L"reelmark.exe"});
}

// Only the film path goes; every other byte of the player's file stays.
void DelLastPathForgetsFilm(Context& context) {
  const Films films = MakeFilms(context.folder);
  const std::wstring head = L"; kept by the player\r\n[Option]\r\nauto_resume=1\r\nvolume = 80\r\n\r\n[Status]\r\nresume=1\r\n";
  context.folder.Write(L"kk.ini", ToCp936(head + L"Filename=" + films.a + L"\r\ntime=3720\r\n"));
  WriteFavourites(context, {0, 1, 0}, {{3720, films.a}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();  // the player's last film is favourite 1 at the same time: no question
  app.ExpectList("after start-up", {kHeaderRow, Row(1, L"01:02:05", films.a)}, 1, FileNameOf(films.a));
  context.checks.ExpectNumber("Check1(1) with DelLastPath= 1", BST_CHECKED, app.Check(1));

  PressButton(app.Main(), ids::kCommand1);
  app.ExpectEnded("after pressing 退出");
  context.checks.ExpectBytes("kk.ini after leaving", ToCp936(head + L"Filename=\r\ntime=3720\r\n"),
                             Bytes(context.folder, L"kk.ini"));
  ExpectFavouritesFile(context, "after leaving", FavouritesFile({0, 1, 0}, {{3720, films.a}}));
}

}  // namespace

void AddShutdownScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"exit-dellast-asks-and-removes-current", DelLastRemovesCurrent});
  scenarios.push_back({"exit-dellastpath-forgets-player-film", DelLastPathForgetsFilm});
}

}  // namespace e2e
