// The tray icon and the hot key: the icon is there while the program runs and is put back
// when the taskbar restarts; its left click brings the hidden window back, its right
// click opens the tray menu at the mouse (收藏 captures, 退出 leaves through shut-down);
// Ctrl+Alt+F2 captures while the window stays hidden.
#include <windows.h>
#include <shellapi.h>

#include "controls.h"
#include "desktop.h"
#include "keyboard.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "standin.h"
#include "text.h"

namespace e2e {
namespace {

// The shell answers a change to an icon it does not hold with failure.
bool IconPresent(HWND window) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

// Another program cannot have Ctrl+Alt+F2 while Reelmark holds it.
bool HotKeyHeld() {
  if (!RegisterHotKey(nullptr, 0xBFF0, MOD_CONTROL | MOD_ALT, VK_F2)) return true;
  UnregisterHotKey(nullptr, 0xBFF0);
  return false;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool At(HWND window, const RECT& place) {
  const RECT seen = WindowRect(window);
  return EqualRect(&seen, &place) != FALSE;
}

HWND RequireTrayMenu(Context& context, HWND main) {
  std::string whyNot;
  HWND menu = OpenTrayMenu(main, whyNot);
  context.checks.Require(menu != nullptr, whyNot);
  return menu;
}

void Minimise(Context& context, HWND main, const char* what) {
  ShowWindowAsync(main, SW_MINIMIZE);
  context.checks.Expect(WaitUntil([&] { return !IsWindowVisible(main); }),
                        std::string(what) + ": expected the window hidden, seen it visible");
}

// Reelmark shown with one favourite, film a, and no film recorded by the player.
Films StartWithOneFavourite(Context& context, ReelmarkApp& app) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{40, films.a}});
  app.Start();
  app.ExpectShown();
  return films;
}

void TrayIconLife(Context& context) {
  ReelmarkApp app(context.checks, context.folder);
  const Films films = StartWithOneFavourite(context, app);
  HWND main = app.Main();
  const RECT centred = WindowRect(main);
  context.checks.Expect(IconPresent(main), "after start-up: expected the tray icon, seen none");
  context.checks.Expect(HotKeyHeld(), "after start-up: expected Ctrl+Alt+F2 registered, seen it free");

  // Moved to a corner and minimised, the window is hidden; the left click brings it back
  // normal, centred, in front.
  SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  WaitUntil([&] { return WindowRect(main).left == 0; });
  Minimise(context, main, "after minimising");
  // A double click acts through its releases only; sent, so that its handling is over.
  context.checks.Require(ClickTrayIconAndWait(main, WM_LBUTTONDBLCLK), "the double-click notification went unanswered");
  context.checks.Expect(!IsWindowVisible(main), "after the double-click notification: expected the window still hidden");
  ClickTrayIcon(main, WM_LBUTTONUP);
  context.checks.Expect(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }),
                        "after a left click on the tray icon: expected the window shown and not minimised");
  WaitUntil([&] { return At(main, centred); });
  context.checks.Expect(At(main, centred),
                        "after a left click on the tray icon: expected the window back at its centred place");
  context.checks.Expect(WaitUntil([&] { return GetForegroundWindow() == main; }),
                        "after a left click on the tray icon: expected the window in front, seen another");

  // The right click opens the menu at the mouse.
  context.folder.Write(L"kk.ini", SettingsFile(films.a, 1200));
  const POINT at = MoveMouseTo({200, 150});
  HWND menu = RequireTrayMenu(context, main);
  const RECT placed = WindowRect(menu);
  context.checks.Expect(placed.left == at.x && placed.top == at.y,
                        "tray menu: expected its corner at the mouse (" + std::to_string(at.x) + ", " +
                            std::to_string(at.y) + "), seen (" + std::to_string(placed.left) + ", " +
                            std::to_string(placed.top) + ")");

  // 收藏, the first item, captures: with no player running, the film the player recorded
  // last refreshes the favourite that holds it.
  PressKey(menu, VK_DOWN);
  PressKey(menu, VK_RETURN);
  // The refreshed row is put in anew, which leaves no row selected.
  app.ExpectList("after 收藏 from the tray menu", {kHeaderRow, Row(1, L"00:20:05", films.a)}, -1, FileNameOf(films.a));

  // 退出, the second, leaves through shut-down, which takes the icon and the hot key down.
  menu = RequireTrayMenu(context, main);
  PressKey(menu, VK_DOWN);
  PressKey(menu, VK_DOWN);
  PressKey(menu, VK_RETURN);
  app.ExpectEnded("after 退出 from the tray menu");
  ExpectFavouritesFile(context, "after 退出 from the tray menu", FavouritesFile({}, {{1200, films.a}}));
  context.checks.Expect(!IconPresent(main), "after 退出: expected the tray icon gone, seen it");
  context.checks.Expect(!HotKeyHeld(), "after 退出: expected Ctrl+Alt+F2 free, seen it held");
}

// The hot key's message, and then the key pressed for real, each capture the playing film
// while the window stays hidden; a restarted taskbar gets the icon back.
void HotKeyCapturesWhileHidden(Context& context) {
  ReelmarkApp app(context.checks, context.folder);
  const Films films = StartWithOneFavourite(context, app);
  HWND main = app.Main();
  Minimise(context, main, "after minimising");

  context.folder.Write(L"standin.ini", StandinControlFile({L"", 600, std::nullopt}));
  Process player = StartPlayingFilm(context.checks, context.folder, films.b);
  PostMessageW(main, WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F2));
  app.ExpectList("after the hot key's message", {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:10:05", films.b)},
                 1, FileNameOf(films.a));
  context.checks.Expect(player.WaitExit(kWaitMs), "after the hot key's message: expected the player closed, seen it running");
  context.checks.Expect(!IsWindowVisible(main), "after the hot key's message: expected the window still hidden");

  context.folder.Write(L"standin.ini", StandinControlFile({L"", 1200, std::nullopt}));
  Process again = StartPlayingFilm(context.checks, context.folder, films.b);
  PressCtrlAltF2();
  // The refreshed row is put in anew, which leaves no row selected.
  app.ExpectList("after pressing Ctrl+Alt+F2", {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:20:05", films.b)},
                 -1, FileNameOf(films.b));
  context.checks.Expect(!IsWindowVisible(main), "after pressing Ctrl+Alt+F2: expected the window still hidden");

  // A restarted taskbar knows no icons; its broadcast makes the program add its own again.
  NOTIFYICONDATAW gone{};
  gone.cbSize = sizeof gone;
  gone.hWnd = main;
  context.checks.Require(Shell_NotifyIconW(NIM_DELETE, &gone) && !IconPresent(main),
                         "the driver could not take the tray icon away to stand for a taskbar restart");
  PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  context.checks.Expect(WaitUntil([&] { return IconPresent(main); }),
                        "after the taskbar's TaskbarCreated: expected the tray icon back, seen none");

  PostMessageW(main, WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the hidden window");
  ExpectFavouritesFile(context, "after closing", FavouritesFile({}, {{40, films.a}, {1200, films.b}}));
}

}  // namespace

void AddTrayScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"tray-icon-shows-window-and-its-menu-captures-and-exits", TrayIconLife});
  scenarios.push_back({"tray-hot-key-captures-while-hidden-and-icon-survives-taskbar-restart", HotKeyCapturesWhileHidden});
}

}  // namespace e2e
