// Leaving with the exit options ticked: removing the current favourite, forgetting the
// player's last film.
#include <windows.h>

#include "controls.h"
#include "desktop.h"
#include "message_box.h"
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

// A folder stands where the favourites file belongs, so the save at exit fails: the
// program says so, with the file, and Yes tries again once the way is clear.
void FailedSaveIsToldAndRetried(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(films.a, 60));
  const std::wstring favourites = context.folder.File(L"kk_fav.ini");
  context.checks.Require(CreateDirectoryW(favourites.c_str(), nullptr) != FALSE, "cannot make the folder kk_fav.ini");
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectStartupBox({FileNameOf(films.a), L"这部不存在！\n\r你是否要收藏这部影片？", Buttons::YesNo, IDYES});
  app.ExpectShown();

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindMessageBox(app.Proc().Id())) != nullptr; });
  if (!context.checks.Expect(box != nullptr, "after closing: expected the failed save told, seen no box")) return;
  const MessageBoxSeen seen = ReadMessageBox(box);
  const std::wstring opening = L"收藏无法保存到文件：\n\r" + favourites + L"\n\r";
  // The recovery file beside it holds the film added: No would bring it back next time.
  const std::wstring closing = L"选“否”将退出本程序，这次运行中对收藏所做的更改会在下次启动时恢复。\n\r是否重试？";
  context.checks.Expect(seen.title == L"提示" && seen.buttons == Buttons::YesNo && seen.defaultButton == IDYES &&
                            seen.text.starts_with(opening) && seen.text.ends_with(closing) &&
                            seen.text.size() > opening.size() + closing.size(),
                        "after closing: expected the failed save told with the file and a reason, seen " +
                            seen.Describe());
  context.checks.Require(RemoveDirectoryW(favourites.c_str()) != FALSE, "cannot take the folder kk_fav.ini away");
  context.checks.Require(AnswerMessageBox(box, IDYES), "the question did not go after Yes");
  app.ExpectEnded("after Yes to trying again");
  ExpectFavouritesFile(context, "after trying again", FavouritesFile({}, {{60, films.a}}));
}

}  // namespace

void AddShutdownScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"exit-dellast-asks-and-removes-current", DelLastRemovesCurrent});
  scenarios.push_back({"exit-dellastpath-forgets-player-film", DelLastPathForgetsFilm});
  scenarios.push_back({"exit-failed-save-is-told-and-tried-again", FailedSaveIsToldAndRetried});
}

}  // namespace e2e
