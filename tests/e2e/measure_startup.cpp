#include "measure_startup.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "controls.h"
#include "desktop.h"
#include "player_files.h"
#include "player_folder.h"
#include "process.h"
#include "scenario_kit.h"
#include "wine_setup.h"

namespace e2e {
namespace {

constexpr int kFullList = 9999;
constexpr int kDefaultRuns = 5;
constexpr int kZouren = 2010;  // leaves at once, without writing the favourites

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

// A player folder where start-up asks nothing: resume on, no film recorded, and the
// favourites file holding `count` favourites.
std::optional<PlayerFolder> MakeFolder(const Programs& programs, int count) {
  std::string error;
  auto folder = PlayerFolder::Create(programs, L"measure-" + std::to_wstring(count), error);
  if (!folder) {
    printf("cannot make a player folder: %s\n", error.c_str());
    return std::nullopt;
  }
  std::vector<StoredFavourite> favourites;
  favourites.reserve(static_cast<size_t>(count));
  for (int i = 1; i <= count; ++i) {
    favourites.push_back({i * 37LL, L"D:\\电影\\连续剧\\第" + std::to_wstring(i) + L"集.mkv"});
  }
  folder->Write(L"kk.ini", SettingsFile(L"", 0));
  folder->Write(L"kk_fav.ini", FavouritesFile({}, favourites));
  folder->SetAttributes(L"kk_fav.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  return folder;
}

// The program's main window once it is shown, found with few calls: a busy search would
// take the processor from the program it measures.
HWND ShownMainWindow(DWORD pid) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"ReelmarkForm1", nullptr));) {
    if (ProcessOf(window) == pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Milliseconds from the process start to the main window shown and answering messages
// (start-up done and the first paint past), or nothing when it did not come up with
// `rows` rows.
std::optional<double> TimeOneStart(const PlayerFolder& folder, int rows) {
  const double started = Now();
  Process process = Process::Start(folder.Reelmark(), L"", folder.Path());
  if (!process) return std::nullopt;
  // The program first waits for input once its window is up (start-up asks nothing here);
  // until then the driver sleeps.
  WaitForInputIdle(process.Handle(), kWaitMs);
  HWND main = nullptr;
  const double deadline = started + kWaitMs;
  while (!(main = ShownMainWindow(process.Id()))) {
    if (!process.Running() || Now() > deadline) return std::nullopt;
    Sleep(1);
  }
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &reply)) return std::nullopt;
  const double shown = Now() - started;
  const std::optional<int> count = ListCount(GetDlgItem(main, 1001));
  if (count != rows) {
    printf("expected %d rows, seen %d\n", rows, count.value_or(-1));
    return std::nullopt;
  }
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kZouren, 0), 0);
  process.WaitExit(kWaitMs);
  return shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int MeasureStartup(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 3) {
    printf("usage: reelmark_e2e_driver --measure-startup REELMARK_EXE STANDIN_EXE [RUNS]\n");
    return 2;
  }
  const Programs programs{WindowsPath(arguments[1]), WindowsPath(arguments[2])};
  const int runs = arguments.size() > 3 ? std::max(1, _wtoi(arguments[3].c_str())) : kDefaultRuns;
  UseUnmanagedWindowsUnderWine();
  auto empty = MakeFolder(programs, 0);
  auto full = MakeFolder(programs, kFullList);
  if (!empty || !full) return 1;

  std::vector<double> none, many;
  // One start of each first, not counted: it brings the files into the cache.
  for (int run = -1; run < runs; ++run) {
    const auto a = TimeOneStart(*empty, 1);
    const auto b = TimeOneStart(*full, kFullList + 1);
    if (!a || !b) {
      printf("FAIL: reelmark.exe did not come up with its list\n");
      return 1;
    }
    if (run < 0) continue;
    none.push_back(*a);
    many.push_back(*b);
    printf("run %d: no favourites %.1f ms, 9,999 favourites %.1f ms\n", run + 1, *a, *b);
    fflush(stdout);
  }
  printf("median of %d runs: no favourites %.1f ms, 9,999 favourites %.1f ms, ratio %.2f\n", runs, Median(none),
         Median(many), Median(many) / Median(none));
  // On a busy machine the fastest start of each is the one least disturbed by others.
  const double fastestNone = *std::min_element(none.begin(), none.end());
  const double fastestMany = *std::min_element(many.begin(), many.end());
  printf("fastest of %d runs: no favourites %.1f ms, 9,999 favourites %.1f ms, ratio %.2f\n", runs, fastestNone,
         fastestMany, fastestMany / fastestNone);
  return 0;
}

}  // namespace e2e
