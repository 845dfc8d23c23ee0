// Selecting rows and editing the list while the window is shown: clicks, the keys w and
// s, deleting, clearing, and the list's popup menu.
#include <windows.h>

#include "controls.h"
#include "desktop.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

// Four favourites with stored times 10, 20, 30, 40 (shown 5 s later).
std::vector<StoredFavourite> FourFavourites(const Films& films) {
  return {{10, films.a}, {20, films.b}, {30, films.c}, {40, films.d}};
}

ReelmarkApp& StartShown(ReelmarkApp& app) {
  app.Start();
  app.ExpectShown();
  return app;
}

// Moving exchanges the entries and leaves the numbers in place; only lower-case w and s act.
void ClickAndMoveKeys(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, FourFavourites(films));
  const std::wstring a = Row(0, L"00:00:15", films.a).substr(4), b = Row(0, L"00:00:25", films.b).substr(4),
                     c = Row(0, L"00:00:35", films.c).substr(4), d = Row(0, L"00:00:45", films.d).substr(4);
  const std::vector<std::wstring> unmoved = {kHeaderRow, L"0001" + a, L"0002" + b, L"0003" + c, L"0004" + d};
  ReelmarkApp app(context.checks, context.folder);
  StartShown(app);

  context.checks.Require(ClickRow(app.List(), 3), "row 3 of the list has no place to click (LB_GETITEMRECT)");
  app.ExpectList("after clicking row 3", unmoved, 3, FileNameOf(films.c));

  // Upper-case letters do nothing: each is handled before the list is looked at, so a
  // move up by W undone by S would show.
  context.checks.Require(TypeCharAndWait(app.List(), L'W'), "the list did not answer W");
  app.ExpectList("after typing W on row 3", unmoved, 3, FileNameOf(films.c));
  context.checks.Require(TypeCharAndWait(app.List(), L'S'), "the list did not answer S");
  app.ExpectList("after typing S on row 3", unmoved, 3, FileNameOf(films.c));
  TypeChar(app.List(), L'w');
  app.ExpectList("after typing w on row 3", {kHeaderRow, L"0001" + a, L"0002" + c, L"0003" + b, L"0004" + d}, 2,
                 FileNameOf(films.c));

  ClickRow(app.List(), 1);
  TypeChar(app.List(), L's');
  app.ExpectList("after typing s on row 1", {kHeaderRow, L"0001" + c, L"0002" + a, L"0003" + b, L"0004" + d}, 2,
                 FileNameOf(films.a));

  // s on the last favourite does nothing; clicking the header keeps Label2.
  ClickRow(app.List(), 4);
  TypeChar(app.List(), L's');
  ClickRow(app.List(), 0);
  app.ExpectList("after s on the last row, then clicking the header row",
                 {kHeaderRow, L"0001" + c, L"0002" + a, L"0003" + b, L"0004" + d}, 0, FileNameOf(films.d));

  TypeChar(app.List(), L'w');  // on the header row: nothing
  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing",
                       FavouritesFile({}, {{30, films.c}, {10, films.a}, {20, films.b}, {40, films.d}}));
}

void DeleteRenumbers(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, FourFavourites(films));
  ReelmarkApp app(context.checks, context.folder);
  StartShown(app);

  ClickRow(app.List(), 2);
  app.WaitForSelection(2);
  PressButton(app.Main(), ids::kCommand3);
  app.ExpectList("after 删除选定项 on row 2",
                 {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:35", films.c), Row(3, L"00:00:45", films.d)},
                 2, FileNameOf(films.c));

  // The menu's 删除 on the last favourite: nothing to renumber, the new last row is selected.
  ClickRow(app.List(), 3);
  app.WaitForSelection(3);
  ChooseMenuCommand(app.Main(), ids::kDel1);
  app.ExpectList("after the menu's 删除 on the last row",
                 {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:35", films.c)}, 2, FileNameOf(films.c));

  PressButton(app.Main(), ids::kCommand1);
  app.ExpectEnded("after pressing 退出");
  ExpectFavouritesFile(context, "after pressing 退出", FavouritesFile({}, {{10, films.a}, {30, films.c}}));
}

// Clearing asks first; afterwards the row that was current no longer exists, so leaving
// with DelLast ticked asks nothing.
void ClearAsksFirst(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {1, 0, 0}, {{10, films.a}, {20, films.b}, {30, films.c}});
  const std::vector<std::wstring> rows = {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:25", films.b),
                                          Row(3, L"00:00:35", films.c)};
  ReelmarkApp app(context.checks, context.folder);
  StartShown(app);
  context.checks.ExpectNumber("Check1(0) with DelLast= 1", BST_CHECKED, app.Check(0));

  ClickRow(app.List(), 2);
  app.WaitForSelection(2);
  const ExpectedBox question{L"提示", L"你确定要删除所有收藏？", Buttons::YesNo, IDNO};
  ChooseMenuCommand(app.Main(), ids::kClr1);
  app.ExpectBox(question);
  app.ExpectList("after No to clearing", rows, 2, FileNameOf(films.b));

  ChooseMenuCommand(app.Main(), ids::kClr1);
  ExpectedBox yes = question;
  yes.answer = IDYES;
  app.ExpectBox(yes);
  app.ExpectList("after Yes to clearing", {kHeaderRow}, -1, L"");

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the cleared list");
  ExpectFavouritesFile(context, "after closing the cleared list", FavouritesFile({1, 0, 0}, {}));
}

// The right button opens the list's menu; Escape closes it untouched; choosing 上移 from it
// with the keyboard moves the row. 走人 then ends the program without saving anything.
void PopupMenuAndLeave(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{10, films.a}, {20, films.b}, {30, films.c}});
  const std::string saved = Bytes(context.folder, L"kk_fav.ini");
  const std::vector<std::wstring> rows = {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:25", films.b),
                                          Row(3, L"00:00:35", films.c)};
  ReelmarkApp app(context.checks, context.folder);
  StartShown(app);

  ClickRow(app.List(), 2);
  app.WaitForSelection(2);
  RightClickRow(app.List(), 2);
  HWND menu = nullptr;
  context.checks.Require(WaitUntil([&] { return (menu = app.PopupMenu()) != nullptr; }),
                         "right button on the list: expected a popup menu (#32768), seen none");
  PressKey(menu, VK_ESCAPE);
  context.checks.Expect(WaitUntil([&] { return app.PopupMenu() == nullptr; }),
                        "Escape: expected the popup menu to close, seen it stay");
  app.ExpectList("after Escape on the menu", rows, 2, FileNameOf(films.b));

  // 播放 is the first item, 上移 the second.
  RightClickRow(app.List(), 2);
  context.checks.Require(WaitUntil([&] { return (menu = app.PopupMenu()) != nullptr; }),
                         "right button again: expected the popup menu, seen none");
  PressKey(menu, VK_DOWN);
  PressKey(menu, VK_DOWN);
  PressKey(menu, VK_RETURN);
  app.ExpectList("after 上移 from the menu",
                 {kHeaderRow, Row(1, L"00:00:25", films.b), Row(2, L"00:00:15", films.a), Row(3, L"00:00:35", films.c)},
                 1, FileNameOf(films.b));

  ChooseMenuCommand(app.Main(), ids::kZouren);
  app.ExpectEnded("after 走人");
  context.checks.ExpectBytes("kk_fav.ini after 走人", saved, Bytes(context.folder, L"kk_fav.ini"));
}

}  // namespace

void AddEditingScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"edit-click-and-w-s-keys-move-rows", ClickAndMoveKeys});
  scenarios.push_back({"edit-delete-renumbers-rows", DeleteRenumbers});
  scenarios.push_back({"edit-clear-asks-then-leaves-header", ClearAsksFirst});
  scenarios.push_back({"edit-popup-menu-then-leave-saves-nothing", PopupMenuAndLeave});
}

}  // namespace e2e
