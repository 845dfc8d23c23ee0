#include "measure_marks.h"

#include <windows.h>

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

namespace e2e {
namespace {

constexpr int kFavourites = 9999;
constexpr int kOnTheDeadRoot = 100;
constexpr int kPutBack = 100;
constexpr wchar_t kReelmarkClass[] = L"ReelmarkForm1";
constexpr int kListId = 1001, kCommand1 = 1101;
constexpr WPARAM kZouren = 2010;
enum Phase : int { kMarking, kComingBack, kEnding };

std::wstring Film(const PlayerFolder& folder, int i) { return folder.File(L"films\\第" + std::to_wstring(i) + L"集.mkv"); }

bool RowMarked(HWND list, int row) {
  DWORD_PTR data = 0;
  return SendMessageTimeoutW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0, SMTO_NORMAL, kWaitMs, &data) &&
         data != 0 && data != static_cast<DWORD_PTR>(LB_ERR);
}

int Fail(const std::string& why) {
  printf("FAIL: %s\n", why.c_str());
  fflush(stdout);
  return 1;
}

// One run: the favourites (the first `dead` of them on `deadRoot`), the window shown, the
// marks awaited; then films put back, or the end while the dead root holds a test.
int MeasureOnce(const Programs& programs, const std::wstring& deadRoot) {
  const bool dead = !deadRoot.empty();
  std::string error;
  auto folder = PlayerFolder::Create(programs, dead ? L"marks-dead-root" : L"marks", error);
  if (!folder) return Fail("cannot make a player folder: " + error);
  folder->Write(L"kk.ini", SettingsFile(L"", 0));
  std::vector<StoredFavourite> favourites;
  for (int i = 1; i <= kFavourites; ++i) {
    const bool onDeadRoot = dead && i <= kOnTheDeadRoot;
    favourites.push_back({i * 7LL, onDeadRoot ? deadRoot + L"第" + std::to_wstring(i) + L"集.mkv" : Film(*folder, i)});
  }
  folder->Write(L"kk_fav.ini", FavouritesFile({}, favourites));
  folder->SetAttributes(L"kk_fav.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  CreateDirectoryW(folder->File(L"films").c_str(), nullptr);

  Process process = Process::Start(folder->Reelmark(), L"", folder->Path());
  if (!process) return Fail("reelmark.exe did not start");
  HWND main = nullptr;
  WaitUntil([&] { return (main = FindWindowOfClass(process.Id(), kReelmarkClass, true)) || !process.Running(); });
  const double shown = NowMs();
  if (!main) return Fail("reelmark.exe did not show its window");
  const HWND list = GetDlgItem(main, kListId);
  AnswerTimer timer(main);
  if (!timer.Started()) return Fail("the timing thread did not start");

  const char* what = dead ? "the 9,899 favourites not on the root that never answers" : "all 9,999 favourites";
  if (!WaitUntil([&] { return RowMarked(list, kFavourites); }, 60000)) return Fail(std::string(what) + ": not marked");
  const double marked = NowMs();
  const auto marks = ListMarks(list);
  int count = 0, onDeadRoot = 0;
  for (int row = 1; marks && row < static_cast<int>(marks->size()); ++row) {
    count += (*marks)[static_cast<size_t>(row)];
    onDeadRoot += (*marks)[static_cast<size_t>(row)] && dead && row <= kOnTheDeadRoot;
  }
  printf("%s marked %.0f ms after the window showed (%d rows marked%s)\n", what, marked - shown, count,
         dead ? (", " + std::to_string(onDeadRoot) + " of them on the root that never answers").c_str() : "");
  fflush(stdout);

  if (!dead) {
    timer.SetPhase(kComingBack);
    for (int i = 1; i <= kPutBack; ++i) folder->Write(Film(*folder, i).substr(folder->Path().size() + 1), "film");
    const double told = NowMs();
    if (!TellVolumeArrived(main, folder->Path()[0])) return Fail("the volume's message could not be delivered");
    if (!WaitUntil([&] { return !RowMarked(list, 1) && !RowMarked(list, kPutBack); })) {
      return Fail("the films put back: their rows stayed marked");
    }
    printf("the %d films put back: their rows normal %.0f ms after the volume's message\n", kPutBack, NowMs() - told);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(kZouren, 0), 0);
  } else {
    timer.SetPhase(kEnding);
    const auto before = FileStamp(folder->File(L"kk_fav.ini"));
    PostMessageW(GetDlgItem(main, kCommand1), BM_CLICK, 0, 0);
    WaitUntil([&] { return FileStamp(folder->File(L"kk_fav.ini")) != before; });
    const double saved = NowMs();
    if (!process.WaitExit(kWaitMs)) return Fail("the program did not end after its save");
    printf("with a test waiting on the root that never answers, the program ended %.0f ms after its save\n",
           NowMs() - saved);
  }
  if (!timer.Stop()) return Fail("the timing thread did not end");
  AnswerTimer::Print("  answers to WM_NULL while the marks came", timer.Summarise([](int p) { return p == kMarking; }));
  if (!dead) {
    AnswerTimer::Print("  answers to WM_NULL while the films came back",
                       timer.Summarise([](int p) { return p == kComingBack; }));
  }
  process.WaitExit(kWaitMs);
  return 0;
}

}  // namespace

int MeasureMarks(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 3 || arguments.size() > 4) {
    printf("usage: reelmark_e2e_driver --measure-marks REELMARK_EXE STANDIN_EXE [DEAD_ROOT]\n");
    return 2;
  }
  const Programs programs{WindowsPath(arguments[1]), WindowsPath(arguments[2])};
  UseUnmanagedWindowsUnderWine();
  if (arguments.size() == 3) return MeasureOnce(programs, L"");
  // The program's test build reads the root that never answers from its environment.
  SetEnvironmentVariableW(L"REELMARK_DEAD_ROOT", arguments[3].c_str());
  return MeasureOnce(programs, arguments[3]);
}

}  // namespace e2e
