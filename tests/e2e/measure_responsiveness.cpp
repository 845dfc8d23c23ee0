#include "measure_responsiveness.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>

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
constexpr DWORD kPingGapMs = 3;   // from one answer to the next question
constexpr DWORD kQuietMs = 1000;  // answers timed before the keys and after them
constexpr wchar_t kReelmarkClass[] = L"ReelmarkForm1";
constexpr int kListId = 1001;
constexpr WPARAM kZouren = 2010;  // leaves at once: nothing saved, the recovery file removed

double Now() {
  static const double perMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / perMs;
}

enum Phase : int { kBefore, kHoldingS, kHoldingW, kAfter, kPhases };
constexpr const char* kPhaseNames[kPhases] = {"the second before the keys", "while s was held",
                                              "while w was held", "the second after the keys"};

struct Answer {
  Phase phase;
  double ms;
  bool answered;
};

// What the timing thread shares with the driver's main thread.
struct Pinger {
  HWND window = nullptr;
  std::atomic<Phase> phase{kBefore};
  std::atomic<bool> stop{false};
  std::vector<Answer> answers;  // the timing thread's alone until it has ended
};

// Asks the window again and again how long it takes to answer: a message the window's
// thread handles as soon as it next looks at its messages.
DWORD WINAPI TimeAnswers(void* parameter) {
  Pinger& pinger = *static_cast<Pinger*>(parameter);
  while (!pinger.stop.load()) {
    const Phase phase = pinger.phase.load();
    DWORD_PTR reply = 0;
    const double sent = Now();
    const bool answered = SendMessageTimeoutW(pinger.window, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &reply) != 0;
    pinger.answers.push_back({phase, Now() - sent, answered});
    if (!answered && !IsWindow(pinger.window)) break;
    Sleep(kPingGapMs);
  }
  return 0;
}

INPUT KeyEvent(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// A key held down on the keyboard: a key-down every kRepeatMs, as the keyboard repeats it
// (the program's own message loop makes each a character), then one key-up. The number of
// key-downs.
int HoldKey(WORD virtualKey) {
  const double start = Now();
  int presses = 0;
  for (; presses * kRepeatMs < kHoldMs; ++presses) {
    const double wait = start + presses * kRepeatMs - Now();
    if (wait >= 1) Sleep(static_cast<DWORD>(wait));
    INPUT down = KeyEvent(virtualKey, false);
    SendInput(1, &down, sizeof down);
  }
  INPUT up = KeyEvent(virtualKey, true);
  SendInput(1, &up, sizeof up);
  return presses;
}

struct Summary {
  size_t count = 0, unanswered = 0;
  double slowest = 0, p99 = 0, median = 0;
};

template <typename Chosen>
Summary Summarise(const std::vector<Answer>& answers, Chosen chosen) {
  std::vector<double> ms;
  Summary summary;
  for (const Answer& answer : answers) {
    if (!chosen(answer.phase)) continue;
    ms.push_back(answer.ms);
    if (!answer.answered) ++summary.unanswered;
  }
  summary.count = ms.size();
  if (ms.empty()) return summary;
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  summary.slowest = ms.back();
  // The nearest rank: 99 of 100 answers came at least this fast.
  summary.p99 = ms[static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n))) - 1];
  summary.median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  return summary;
}

void PrintSummary(const char* what, const Summary& s) {
  printf("%s: %zu answers, slowest %.1f ms, 99th percentile %.1f ms, median %.2f ms", what, s.count, s.slowest, s.p99,
         s.median);
  if (s.unanswered) printf(", %zu not answered within %lu ms", s.unanswered, static_cast<unsigned long>(kWaitMs));
  printf("\n");
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

  Pinger pinger;
  pinger.window = main;
  pinger.answers.reserve(1 << 14);
  const reelmark::win32::UniqueKernelHandle timer(CreateThread(nullptr, 0, &TimeAnswers, &pinger, 0, nullptr));
  if (!timer) return Fail("the timing thread did not start");
  Sleep(kQuietMs);
  std::string keysFault;
  int expected = kMiddleRow;
  const auto hold = [&](Phase phase, WORD key, int step, const char* name) {
    pinger.phase = phase;
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
  pinger.phase = kAfter;
  Sleep(kQuietMs);
  pinger.stop = true;
  // Each question waits kWaitMs at most.
  if (WaitForSingleObject(timer.get(), 2 * kWaitMs) != WAIT_OBJECT_0) {
    printf("FAIL: the timing thread did not end\n");
    fflush(stdout);
    process.Kill();
    ExitProcess(1);  // the thread still uses what it was given: no return through its owner
  }

  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kZouren, 0), 0);
  if (!process.WaitExit(kWaitMs)) printf("note: the program did not end at 走人; it is ended\n");

  PrintSummary("answers to WM_NULL while the keys were held and the second after",
               Summarise(pinger.answers, [](Phase p) { return p != kBefore; }));
  for (int phase = 0; phase < kPhases; ++phase) {
    PrintSummary((std::string("  ") + kPhaseNames[phase]).c_str(),
                 Summarise(pinger.answers, [phase](Phase p) { return p == phase; }));
  }
  if (!keysFault.empty()) return Fail(("the keys did not act as a person's would:" + keysFault).c_str());
  return 0;
}

}  // namespace e2e
