// The keyboard focus, followed with real keys and real activation, and the end of the
// Windows session.
#include <windows.h>

#include "controls.h"
#include "desktop.h"
#include "keyboard.h"
#include "message_box.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

// Two favourites, the second the player's last film at the same time: it is current after
// start-up, and no question comes first.
std::vector<std::wstring> StartWithSecondCurrent(Context& context, ReelmarkApp& app, const Films& films,
                                                 const Options& options) {
  context.folder.Write(L"kk.ini", SettingsFile(films.b, 20));
  WriteFavourites(context, options, {{10, films.a}, {20, films.b}});
  app.Start();
  app.ExpectShown();
  const std::vector<std::wstring> rows = {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:25", films.b)};
  app.ExpectList("after start-up", rows, 2, FileNameOf(films.b));
  return rows;
}

// Keys typed on the keyboard reach the list as soon as the window shows; after another
// window was active, the focus is back where it was.
void FocusStaysWithTheControls(Context& context) {
  const Films films = MakeFilms(context.folder);
  ReelmarkApp app(context.checks, context.folder);
  StartWithSecondCurrent(context, app, films, {});
  const HWND list = app.List();
  context.checks.Expect(WaitUntil([&] { return FocusOf(app.Main()) == list; }),
                        "after start-up: expected the keyboard focus on the list, seen " +
                            Described(FocusOf(app.Main())));

  context.checks.Require(Activate(app.Main()), "the main window did not become the foreground window");
  PressRealKey('W');  // a lower-case w: no Shift
  app.ExpectList("after typing w on the keyboard",
                 {kHeaderRow, Row(1, L"00:00:25", films.b), Row(2, L"00:00:15", films.a)}, 1, FileNameOf(films.b));

  OtherWindow other;
  const auto awayAndBack = [&](const char* step, HWND had) {
    context.checks.Require(Activate(other.Handle()), "another window did not become the foreground window");
    context.checks.Require(Activate(app.Main()), "the main window did not become the foreground window again");
    context.checks.Expect(WaitUntil([&] { return FocusOf(app.Main()) == had; }),
                          std::string(step) + ", another window active and then this one again: expected the focus on " +
                              Described(had) + ", seen " + Described(FocusOf(app.Main())));
  };
  awayAndBack("with the list focused", list);
  PressRealKey(VK_TAB);
  HWND next = nullptr;
  context.checks.Require(WaitUntil([&] { return (next = FocusOf(app.Main())) != nullptr && next != list; }),
                         "Tab: expected the focus to move on from the list, seen " + Described(next));
  awayAndBack("after Tab", next);

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing", FavouritesFile({}, {{20, films.b}, {10, films.a}}));
}

// Log-off: the window is asked whether the session may end, then told that it ends. Before
// it answers, everything is written as on 退出, without the exit question: the current
// favourite stays although DelLast is ticked.
void SessionEndWritesEverything(Context& context) {
  const Films films = MakeFilms(context.folder);
  ReelmarkApp app(context.checks, context.folder);
  StartWithSecondCurrent(context, app, films, {1, 0, 0});
  const std::string before = Bytes(context.folder, L"kk_fav.ini");
  ChooseMenuCommand(app.Main(), ids::kMoveUp);
  app.ExpectList("after 上移", {kHeaderRow, Row(1, L"00:00:25", films.b), Row(2, L"00:00:15", films.a)}, 1,
                 FileNameOf(films.b));

  DWORD_PTR answer = 0;
  context.checks.Require(SendMessageTimeoutW(app.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                             kWaitMs, &answer) != 0,
                         "WM_QUERYENDSESSION: expected an answer, seen none");
  context.checks.ExpectNumber("the answer to WM_QUERYENDSESSION", TRUE, static_cast<long long>(answer));
  // The session may still be cancelled by another program: nothing is written yet.
  context.checks.ExpectBytes("kk_fav.ini after WM_QUERYENDSESSION", before, Bytes(context.folder, L"kk_fav.ini"));

  context.checks.Require(SendMessageTimeoutW(app.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                             kWaitMs, &answer) != 0,
                         "WM_ENDSESSION: expected it handled to its end, seen no answer");
  if (HWND box = FindMessageBox(app.Proc().Id())) {
    context.checks.Expect(false, "WM_ENDSESSION: expected no question, seen " + ReadMessageBox(box).Describe());
  }
  // The process may be ended any moment now: the file must be whole already.
  ExpectFavouritesFile(context, "when WM_ENDSESSION returned", FavouritesFile({1, 0, 0}, {{20, films.b}, {10, films.a}}));
  app.ExpectEnded("after WM_ENDSESSION");
}

}  // namespace

void AddFocusAndSessionScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"focus-on-list-and-back-after-activation", FocusStaysWithTheControls});
  scenarios.push_back({"session-end-writes-without-asking", SessionEndWritesEverything});
}

}  // namespace e2e
