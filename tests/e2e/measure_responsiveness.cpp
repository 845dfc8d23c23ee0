#include "measure_responsiveness.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>

#include "answer_timer.h"
#include "controls.h"
#include "desktop.h"
#include "keyboard.h"
#include "measure_startup.h"
#include "player_folder.h"
#include "process.h"
#include "scenario_kit.h"
#include "wine_setup.h"
#include "win32/unique_handle.h"

namespace e2e {
namespace {

constexpr int kFavourites = 9999;
constexpr int kMiddleRow = 5000;  // row 0 is the header
constexpr double kHoldMs = 4000;
constexpr double kRepeatMs = 30;  // a held key repeats about this often
constexpr DWORD kQuietMs = 1000;  // answers timed before the keys and after them
constexpr wchar_t kReelmarkClass[] = L"ReelmarkForm1";
constexpr int kListId = 1001;
constexpr WPARAM kZouren = 2010;  // leaves at once: nothing saved, the recovery file removed

enum Phase : int { kBefore, kHoldingS, kHoldingW, kAfter, kPhases };
constexpr const char* kPhaseNames[kPhases] = {"the second before the keys", "while s was held",
                                              "while w was held", "the second after the keys"};

// A key held down on the keyboard: a key-down every kRepeatMs, as the keyboard repeats it
// (the program's own message loop makes each a character), then one key-up. The number of
// key-downs.
int HoldKey(WORD virtualKey) {
  const double start = NowMs();
  int presses = 0;
  for (; presses * kRepeatMs < kHoldMs; ++presses) {
    const double wait = start + presses * kRepeatMs - NowMs();
    if (wait >= 1) Sleep(static_cast<DWORD>(wait));
    INPUT down = KeyInput(virtualKey, false);
    SendInput(1, &down, sizeof down);
  }
  INPUT up = KeyInput(virtualKey, true);
  SendInput(1, &up, sizeof up);
  return presses;
}

int Fail(const char* why) {
  printf("FAIL: %s\n", why);
  return 1;
}

}  // namespace

int MeasureResponsiveness(const std::vector<std::wstring>& arguments) {
  if (arguments.size() != 3) {
    printf("usage: reelmark_e2e_driver --measure-responsiveness REELMARK_EXE STANDIN_EXE\n");
    return 2;
  }
  const Programs programs{WindowsPath(arguments[1]), WindowsPath(arguments[2])};
  UseUnmanagedWindowsUnderWine();
  std::string error;
  auto folder = PlayerFolder::Create(programs, L"responsiveness", error);
  if (!folder) {
    printf("cannot make a player folder: %s\n", error.c_str());
    return 1;
  }
  // Start-up asks nothing: resume on, no film recorded.
  folder->Write(L"kk.ini", SettingsFile(L"", 0));
  folder->Write(L"kk_fav.ini", FavouritesOfCount(kFavourites));
  folder->SetAttributes(L"kk_fav.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

  Process process = Process::Start(folder->Reelmark(), L"", folder->Path());
  if (!process) return Fail("reelmark.exe did not start");
  HWND main = nullptr;
  WaitUntil([&] {
    main = FindWindowOfClass(process.Id(), kReelmarkClass, true);
    return main || !process.Running();
  });
  if (!main) return Fail("reelmark.exe did not show its window");
  const HWND list = GetDlgItem(main, kListId);
  if (!WaitUntil([&] { return ListCount(list) == kFavourites + 1; })) return Fail("the list did not fill");

  // In front, the row in view and clicked: the keys then reach the list through the
  // system's input, as a person's do.
  if (!Activate(main)) return Fail("the window did not come to the front");
  DWORD_PTR reply = 0;
  SendMessageTimeoutW(list, LB_SETTOPINDEX, kMiddleRow - 5, 0, SMTO_NORMAL, kWaitMs, &reply);
  if (!ClickRow(list, kMiddleRow) || !WaitUntil([&] { return ListSelection(list) == kMiddleRow; })) {
    return Fail("clicking row 5000 did not select it");
  }
  if (!WaitUntil([&] { return FocusOf(main) == list; })) return Fail("the list did not take the focus");
  printf("row %d of %d selected, the list has the focus\n", kMiddleRow, kFavourites);
  fflush(stdout);

  AnswerTimer timer(main);
  if (!timer.Started()) return Fail("the timing thread did not start");
  Sleep(kQuietMs);
  std::string keysFault;
  int expected = kMiddleRow;
  const auto hold = [&](Phase phase, WORD key, int step, const char* name) {
    timer.SetPhase(phase);
    if (GetForegroundWindow() != main) keysFault += std::string(" the window was not in front for ") + name + ";";
    const int presses = HoldKey(key);
    expected += step * presses;
    // The program may still be working through the keys: done when the favourite is there.
    const bool arrived = WaitUntil([&] { return ListSelection(list) == expected; });
    const int seen = ListSelection(list).value_or(-1);
    printf("%s held %.0f s: %d key presses, the favourite moved %d rows%s\n", name, kHoldMs / 1000, presses,
           step * (seen - (expected - step * presses)), arrived ? "" : " (expected every press to move it)");
    fflush(stdout);
    if (!arrived) keysFault += std::string(" ") + name + " did not move the favourite once a press;";
    expected = seen;
  };
  hold(kHoldingS, 'S', 1, "s");
  hold(kHoldingW, 'W', -1, "w");
  timer.SetPhase(kAfter);
  Sleep(kQuietMs);
  if (!timer.Stop()) {
    process.Kill();
    return Fail("the timing thread did not end");
  }

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kZouren, 0), 0);
  if (!process.WaitExit(kWaitMs)) printf("note: the program did not end at 走人; it is ended\n");

  AnswerTimer::Print("answers to WM_NULL while the keys were held and the second after",
                     timer.Summarise([](int p) { return p != kBefore; }));
  for (int phase = 0; phase < kPhases; ++phase) {
    AnswerTimer::Print((std::string("  ") + kPhaseNames[phase]).c_str(),
                       timer.Summarise([phase](int p) { return p == phase; }));
  }
  if (!keysFault.empty()) return Fail(("the keys did not act as a person's would:" + keysFault).c_str());
  return 0;
}

}  // namespace e2e
