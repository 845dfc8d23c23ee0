#include "measure_startup.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "answer_timer.h"
#include "controls.h"
#include "desktop.h"
#include "player_files.h"
#include "player_folder.h"
#include "process.h"
#include "scenario_kit.h"
#include "wine_setup.h"
#include "win32/unique_handle.h"

namespace e2e {
namespace {

constexpr int kFullList = 9999;
constexpr int kDefaultRuns = 9;
constexpr int kListId = 1001;  // Reelmark's List1, and the floors' list

// One program to start again and again: where, which window shows it is up, how many
// rows its list then holds, and the message that ends it at once.
struct Subject {
  std::wstring exe;
  std::wstring folder;
  const wchar_t* windowClass;
  int rows;
  UINT endMessage;
  WPARAM endParam;
  // Put in the folder as the recovery file before each start: what a run that did not end
  // left behind, which start-up puts in place of kk_fav.ini.
  const std::string* recovery = nullptr;
};

constexpr wchar_t kReelmarkClass[] = L"ReelmarkForm1";
constexpr WPARAM kZouren = 2010;  // leaves at once, without writing the favourites

}  // namespace

std::string FavouritesOfCount(int count) {
  std::vector<StoredFavourite> favourites;
  favourites.reserve(static_cast<size_t>(count));
  for (int i = 1; i <= count; ++i) {
    favourites.push_back({i * 37LL, L"D:\\电影\\连续剧\\第" + std::to_wstring(i) + L"集.mkv"});
  }
  return FavouritesFile({}, favourites);
}

namespace {

// A player folder where start-up asks nothing: resume on, no film recorded, and the
// favourites file holding `count` favourites.
std::optional<PlayerFolder> MakeFolder(const Programs& programs, int count, const wchar_t* name = L"measure-") {
  std::string error;
  auto folder = PlayerFolder::Create(programs, name + std::to_wstring(count), error);
  if (!folder) {
    printf("cannot make a player folder: %s\n", error.c_str());
    return std::nullopt;
  }
  folder->Write(L"kk.ini", SettingsFile(L"", 0));
  folder->Write(L"kk_fav.ini", FavouritesOfCount(count));
  folder->SetAttributes(L"kk_fav.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  return folder;
}

Subject ReelmarkIn(const PlayerFolder& folder, int favourites) {
  return {folder.Reelmark(), folder.Path(), kReelmarkClass, favourites + 1, WM_COMMAND, MAKEWPARAM(kZouren, 0)};
}

// The program's main window once it is shown, found with few calls: a busy search would
// take the processor from the program it measures.
HWND ShownMainWindow(const wchar_t* windowClass, DWORD pid) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, windowClass, nullptr));) {
    if (ProcessOf(window) == pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Milliseconds from the process start to the main window shown, answering messages and
// its list holding all its rows (start-up done and the first paint past), or nothing when
// it did not come up so.
std::optional<double> TimeOneStart(const Subject& subject) {
  if (subject.recovery) {
    // Left by a run that did not end: newer than the kk_fav.ini there now.
    const std::string bytes = RecoveryNewerThan(subject.folder + L"\\kk_fav.ini", *subject.recovery);
    if (bytes.empty()) return std::nullopt;
    const std::wstring path = subject.folder + L"\\kk_fav.recovery.ini";
    const reelmark::win32::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      return std::nullopt;
    }
  }
  const double started = NowMs();
  Process process = Process::Start(subject.exe, L"", subject.folder);
  if (!process) return std::nullopt;
  // The program first waits for input once its window is up (start-up asks nothing here);
  // until then the driver sleeps.
  WaitForInputIdle(process.Handle(), kWaitMs);
  HWND main = nullptr;
  const double deadline = started + kWaitMs;
  while (!(main = ShownMainWindow(subject.windowClass, process.Id()))) {
    if (!process.Running() || NowMs() > deadline) return std::nullopt;
    Sleep(1);
  }
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &reply)) return std::nullopt;
  const double shown = NowMs() - started;
  const std::optional<int> count = ListCount(GetDlgItem(main, kListId));
  if (count != subject.rows) {
    printf("expected %d rows, seen %d\n", subject.rows, count.value_or(-1));
    return std::nullopt;
  }
  PostMessageW(main, subject.endMessage, subject.endParam, 0);
  if (!process.WaitExit(kWaitMs)) printf("note: the program did not end when told; it is ended\n");
  return shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace

int MeasureStartup(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 5) {
    printf("usage: reelmark_e2e_driver --measure-startup REELMARK_EXE STANDIN_EXE BARE_EXE SAME_WINDOW_EXE [RUNS]\n");
    return 2;
  }
  const Programs programs{WindowsPath(arguments[1]), WindowsPath(arguments[2])};
  const std::wstring bareExe = WindowsPath(arguments[3]);
  const std::wstring sameWindowExe = WindowsPath(arguments[4]);
  const int runs = arguments.size() > 5 ? std::max(1, _wtoi(arguments[5].c_str())) : kDefaultRuns;
  UseUnmanagedWindowsUnderWine();
  auto empty = MakeFolder(programs, 0);
  auto full = MakeFolder(programs, kFullList);
  auto left = MakeFolder(programs, kFullList, L"measure-recovered-");
  if (!empty || !full || !left) return 1;
  const std::string recovery = FavouritesOfCount(kFullList);
  Subject recovered = ReelmarkIn(*left, kFullList);
  recovered.recovery = &recovery;
  const Subject subjects[] = {
      {bareExe, empty->Path(), L"BareWindow", 1, WM_CLOSE, 0},
      ReelmarkIn(*empty, 0),
      ReelmarkIn(*full, kFullList),
      recovered,
      {sameWindowExe, empty->Path(), L"SameWindow", 1, WM_CLOSE, 0},
  };
  constexpr size_t kBare = 0, kNone = 1, kMany = 2, kRecovered = 3, kSameWindow = 4, kSubjects = 5;
  std::vector<double> times[kSubjects];

  // One start of each first, not counted: it brings the files into the cache. Then they
  // take turns, so that each sees the same machine, and each run begins one later,
  // so that each follows each of the others as often: a start pays for what the one
  // before it left the machine doing.
  for (int run = -1; run < runs; ++run) {
    double seen[kSubjects];
    for (size_t turn = 0; turn < kSubjects; ++turn) {
      const size_t i = (turn + static_cast<size_t>(run + 1)) % kSubjects;
      const auto time = TimeOneStart(subjects[i]);
      if (!time) {
        printf("FAIL: %ls did not come up with its list\n", subjects[i].exe.c_str());
        return 1;
      }
      seen[i] = *time;
    }
    if (run < 0) continue;
    for (size_t i = 0; i < kSubjects; ++i) times[i].push_back(seen[i]);
    printf("run %d: bare program %.1f ms, same window %.1f ms, reelmark with no favourites %.1f ms, "
           "with 9,999 %.1f ms, with 9,999 from a recovery file %.1f ms\n",
           run + 1, seen[kBare], seen[kSameWindow], seen[kNone], seen[kMany], seen[kRecovered]);
    fflush(stdout);
  }
  const auto report = [&](const char* what, double (*of)(const std::vector<double>&)) {
    const double bare = of(times[kBare]), same = of(times[kSameWindow]), none = of(times[kNone]);
    const double many = of(times[kMany]), restored = of(times[kRecovered]);
    printf("%s of %d runs: bare program %.1f ms, same window %.1f ms, reelmark with no favourites %.1f ms, "
           "with 9,999 %.1f ms, from a recovery file %.1f ms\n",
           what, runs, bare, same, none, many, restored);
    // The budget is the first ratio, on one processor: 9,999 favourites within 1.25 times
    // the plainest program that shows the same window.
    printf("  9,999 to same window %.2f, 9,999 to bare %.2f, 9,999 to none %.2f, recovery file to kk_fav.ini %.2f\n",
           many / same, many / bare, many / none, restored / many);
  };
  report("median", [](const std::vector<double>& v) { return Median(v); });
  // On a busy machine the fastest start of each is the one least disturbed by others.
  report("fastest", &Fastest);
  return 0;
}

}  // namespace e2e
