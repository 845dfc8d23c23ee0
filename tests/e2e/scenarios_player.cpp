// Capturing the playing film with the button, and playing a favourite again by a double
// click: the real stand-in player records and resumes through kk.ini.
#include <windows.h>

#include <cstdlib>

#include "controls.h"
#include "desktop.h"
#include "keyboard.h"
#include "message_box.h"
#include "player_files.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "standin.h"
#include "text.h"
#include "wine_drive.h"

namespace e2e {
namespace {

std::vector<LogLine> PlayerLog(Context& context) {
  return ParseStandinLog(context.folder.Read(L"standin.log").value_or(""));
}

// Waits until the stand-in has logged `starts` starts, then checks the last one.
void ExpectResumeStart(Context& context, size_t starts, const std::wstring& film, long long at) {
  WaitUntil([&] { return PlayerLog(context).size() >= starts; });
  const auto log = PlayerLog(context);
  if (!context.checks.Expect(log.size() == starts, "standin.log: expected " + std::to_string(starts) +
                                                       " starts, seen " + std::to_string(log.size()))) {
    return;
  }
  auto field = [&](const wchar_t* name) {
    auto it = log.back().find(name);
    return it == log.back().end() ? std::wstring(L"<absent>") : it->second;
  };
  // The command line is the program and one blank: no file, no position.
  context.checks.ExpectText("standin.log: arguments of the start", L" ", field(L"args"));
  context.checks.ExpectText("standin.log: mode", L"resume", field(L"mode"));
  context.checks.ExpectText("standin.log: file", film, field(L"file"));
  context.checks.ExpectText("standin.log: position", std::to_wstring(at), field(L"at"));
}

// The button captures a new film (appended) and then a favourite again (refreshed in
// place, its own path kept), from a player that takes 1.5 s to record.
void CaptureByButton(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{40, films.a}, {3720, films.b}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();

  context.folder.Write(L"standin.ini", StandinControlFile({L"", 3600, std::nullopt}));
  Process player = StartPlayingFilm(context.checks, context.folder, films.c);
  PressButton(app.Main(), ids::kCommand4);
  app.ExpectList("after capturing a film that is no favourite",
                 {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"01:02:05", films.b), Row(3, L"01:00:05", films.c)},
                 2, FileNameOf(films.b));
  context.checks.Expect(player.WaitExit(kWaitMs), "expected the captured player to have ended, seen it running");
  context.checks.ExpectText("Label3 after the capture", films.c, app.ControlText(ids::kLabel3));

  context.folder.Write(L"standin.ini", StandinControlFile({L"", 600, 1500}));
  Process again = StartPlayingFilm(context.checks, context.folder, films.a);
  PressButton(app.Main(), ids::kCommand4);
  app.ExpectList("after capturing a favourite from a slow player",
                 {kHeaderRow, Row(1, L"00:10:05", films.a), Row(2, L"01:02:05", films.b), Row(3, L"01:00:05", films.c)},
                 -1, FileNameOf(films.a));
  context.checks.ExpectText("Label3 after the second capture", films.a, app.ControlText(ids::kLabel3));
  const std::string settings = Bytes(context.folder, L"kk.ini");
  context.checks.ExpectText("kk.ini [Status] resume", L"1", IniValue(settings, L"Status", L"resume").value_or(L""));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing", FavouritesFile({}, {{600, films.a}, {3720, films.b}, {3600, films.c}}));
}

// A double click resumes the favourite at its position, with nothing on the command line;
// with play-and-exit ticked the program ends after starting the player.
void ReplayByDoubleClick(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{3715, films.a}, {-2, films.b}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();

  context.checks.Require(DoubleClickRow(app.List(), 1), "row 1 of the list has no place to click");
  ExpectResumeStart(context, 1, films.a, 3715);
  context.checks.ExpectBytes("kk.ini after the double click",
                             ToCp936(L"[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nFilename=" + films.a +
                                     L"\r\ntime=3715\r\n"),
                             Bytes(context.folder, L"kk.ini"));
  app.ExpectList("after the double click", {kHeaderRow, Row(1, L"01:02:00", films.a), Row(2, L"00:00:03", films.b)}, 1,
                 FileNameOf(films.a));

  PressButton(app.Main(), ids::kCheck1 + 2);
  WaitUntil([&] { return app.Check(2) == BST_CHECKED; });
  DoubleClickRow(app.List(), 2);
  app.ExpectEnded("after a double click with 双击时播放并退出本程序 ticked");
  ExpectResumeStart(context, 2, films.b, -2);
  ExpectFavouritesFile(context, "after playing and leaving",
                       FavouritesFile({0, 0, 1}, {{3715, films.a}, {-2, films.b}}));
  // The two players it started are ended with the scenario's job.
}

// By keyboard: the menu key opens the list's menu below the selected row; Enter plays the
// selected favourite as a double click does.
void KeyboardMenuAndEnter(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{3715, films.a}, {60, films.b}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  ClickRow(app.List(), 2);
  app.WaitForSelection(2);

  PostMessageW(app.List(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(app.List()), -1);
  HWND menu = nullptr;
  context.checks.Require(WaitUntil([&] { return (menu = app.PopupMenu()) != nullptr; }),
                         "the menu key: expected the list's popup menu, seen none");
  RECT row{}, opened{};
  SendMessageW(app.List(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  POINT below{row.left, row.bottom};
  ClientToScreen(app.List(), &below);
  GetWindowRect(menu, &opened);
  context.checks.Expect(std::abs(opened.left - below.x) <= 4 && std::abs(opened.top - below.y) <= 4,
                        "the menu key: expected the menu at the selected row's bottom left (" + std::to_string(below.x) +
                            ", " + std::to_string(below.y) + "), seen it at (" + std::to_string(opened.left) + ", " +
                            std::to_string(opened.top) + ")");
  PressKey(menu, VK_ESCAPE);
  context.checks.Require(WaitUntil([&] { return app.PopupMenu() == nullptr; }), "Escape: expected the menu closed");

  PressKey(app.List(), VK_RETURN);
  ExpectResumeStart(context, 1, films.b, 60);
  PressButton(app.Main(), ids::kCommand1);
  app.ExpectEnded("after pressing 退出");
}

// The favourite's film was on a disk whose letter is gone; the disk has another letter
// now. A double click plays the film from there, and the favourite keeps that path.
void ReplayFindsTheFilmOnAnotherDrive(Context& context) {
  const std::wstring disk = context.folder.File(L"disk");
  context.checks.Require(CreateDirectoryW(disk.c_str(), nullptr) && CreateDirectoryW((disk + L"\\电影").c_str(), nullptr) &&
                             context.folder.Write(L"disk\\电影\\长夜.mkv", "film"),
                         "cannot make the disk's folder");
  const WineDrive mapped(disk);
  context.checks.Require(mapped.Letter() != 0, "cannot give a drive letter to " + ToUtf8(disk));
  const std::wstring now = std::wstring(1, mapped.Letter()) + L":\\电影\\长夜.mkv";
  // The letter it had: one that is not present.
  wchar_t gone = 0;
  for (wchar_t letter = L'E'; letter < mapped.Letter() && !gone; ++letter) {
    if (!(GetLogicalDrives() & (1u << (letter - L'A')))) gone = letter;
  }
  context.checks.Require(gone != 0, "no free drive letter for the favourite's old disk");
  const std::wstring before = std::wstring(1, gone) + L":\\电影\\长夜.mkv";
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{100, before}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();

  context.checks.Require(DoubleClickRow(app.List(), 1), "row 1 of the list has no place to click");
  ExpectResumeStart(context, 1, now, 100);
  app.ExpectList("after the double click", {kHeaderRow, Row(1, L"00:01:45", now)}, 1, L"长夜.mkv");
  PressButton(app.Main(), ids::kCommand1);
  app.ExpectEnded("after pressing 退出");
  ExpectFavouritesFile(context, "after pressing 退出", FavouritesFile({}, {{100, now}}));
}

// A favourite whose film has gone is offered for deletion; Yes deletes and renumbers,
// and nothing is played. Ctrl+Alt+F2 pressed while the question is open captures the
// playing film only once it is answered, and the answer deletes the favourite it named.
void ReplayMissingFilm(Context& context) {
  const Films films = MakeFilms(context.folder);
  const std::wstring gone = context.folder.File(L"films\\已删除.avi");
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{10, films.a}, {20, gone}, {30, films.b}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  context.folder.Write(L"standin.ini", StandinControlFile({L"", 600, std::nullopt}));
  Process player = StartPlayingFilm(context.checks, context.folder, films.c);

  DoubleClickRow(app.List(), 2);
  HWND box = app.ExpectBoxOpen({L"提示", L"所选的文件不存在，是否在列表中删除？", Buttons::YesNo, IDYES});
  if (!box) return;
  PressCtrlAltF2();
  context.checks.Expect(!player.WaitExit(1500), "Ctrl+Alt+F2 during the question: expected the capture to wait for "
                                                "the answer, seen the player closed");
  context.checks.Require(AnswerMessageBox(box, IDYES), "the question did not go after Yes");
  app.ExpectList("after Yes to deleting the missing film, then the capture",
                 {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:35", films.b), Row(3, L"00:10:05", films.c)},
                 2, FileNameOf(films.b));
  context.checks.Expect(player.WaitExit(kWaitMs), "after the answer: expected the captured player closed, seen it running");
  const auto log = PlayerLog(context);
  context.checks.Expect(log.size() == 1, "expected only the driver's start of the player, seen " +
                                             std::to_string(log.size()) + " starts");

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing", FavouritesFile({}, {{10, films.a}, {30, films.b}, {600, films.c}}));
}

}  // namespace

void AddPlayerScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"player-capture-by-button-appends-then-refreshes", CaptureByButton});
  scenarios.push_back({"player-replay-by-double-click", ReplayByDoubleClick});
  scenarios.push_back({"player-keyboard-menu-key-and-enter-plays", KeyboardMenuAndEnter});
  scenarios.push_back({"player-replay-missing-film-asks-to-delete-and-a-hot-key-meanwhile-waits", ReplayMissingFilm});
  scenarios.push_back({"player-replay-finds-a-film-moved-to-another-drive", ReplayFindsTheFilmOnAnotherDrive});
}

}  // namespace e2e
