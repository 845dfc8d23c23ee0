// A run that does not end loses nothing: its favourites are in the recovery file soon
// after each change, and the next start restores them; 走人 still drops them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

#include "controls.h"
#include "desktop.h"
#include "drop_clipboard.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "standin.h"
#include "text.h"
#include "win32/unique_handle.h"

namespace e2e {
namespace {

constexpr wchar_t kRecovery[] = L"kk_fav.recovery.ini";

// A recovery file's bytes: these favourites, then the stamp of the kk_fav.ini it is newer than.
bool IsRecoveryOf(const std::optional<std::string>& bytes, const std::string& favourites) {
  return bytes && bytes->starts_with(favourites) && bytes->substr(favourites.size()).starts_with("[recovery]\r\nSaved=");
}

// Waits until the recovery file holds these favourites.
bool RecoveryHolds(const PlayerFolder& folder, const std::string& favourites) {
  return WaitUntil([&] { return IsRecoveryOf(folder.Read(kRecovery), favourites); });
}

// Another program holding the file open, sharing only `share` (a scanner, a backup).
reelmark::win32::UniqueFile Hold(Context& context, const wchar_t* name, DWORD share) {
  reelmark::win32::UniqueFile held(CreateFileW(context.folder.File(name).c_str(), GENERIC_READ, share, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  context.checks.Require(static_cast<bool>(held), "the driver could not hold the recovery file open");
  return held;
}

// Ends the program as a crash or Task Manager would: no message, no unload.
void Kill(Context& context, const ReelmarkApp& app) {
  context.checks.Require(TerminateProcess(app.Proc().Handle(), 1) != FALSE &&
                             WaitForSingleObject(app.Proc().Handle(), kWaitMs) == WAIT_OBJECT_0,
                         "the driver could not end reelmark.exe");
}

void HotKeyCaptureSurvivesAKill(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{40, films.a}});
  const std::string captured = FavouritesFile({}, {{40, films.a}, {600, films.b}});
  {
    ReelmarkApp app(context.checks, context.folder);
    app.Start();
    app.ExpectShown();
    context.folder.Write(L"standin.ini", StandinControlFile({L"", 600, std::nullopt}));
    Process player = StartPlayingFilm(context.checks, context.folder, films.b);
    PostMessageW(app.Main(), WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F2));
    app.ExpectList("after the hot key", {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:10:05", films.b)}, 1,
                   FileNameOf(films.a));
    context.checks.Require(RecoveryHolds(context.folder, captured),
                           "after the hot key: expected the recovery file to hold the captured film, seen " +
                               Shown(FromCp936(Bytes(context.folder, kRecovery))));
    const DWORD both = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    context.checks.Expect((context.folder.Attributes(kRecovery) & both) == both,
                          "the recovery file: expected hidden and system");
    Kill(context, app);
  }
  ExpectFavouritesFile(context, "after the kill", FavouritesFile({}, {{40, films.a}}));

  // The player recorded the film it played at 600 s: the restored favourite is at that
  // time, so start-up asks nothing.
  ReelmarkApp next(context.checks, context.folder);
  next.Start();
  next.ExpectShown();
  next.ExpectList("after the next start", {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:10:05", films.b)}, 2,
                  FileNameOf(films.b));
  context.checks.Expect(IsRecoveryOf(context.folder.Read(L"kk_fav.ini"), captured),
                        "after the next start: expected kk_fav.ini to be the recovery file, seen " +
                            Shown(FromCp936(Bytes(context.folder, L"kk_fav.ini"))));
  PressButton(next.Main(), ids::kCommand1);
  next.ExpectEnded("after pressing 退出");
  ExpectFolderEntries(context, "after 退出",
                      {L"films", L"kk.ini", L"kk_fav.ini", L"mplayer.exe", L"reelmark.exe", L"standin.ini",
                       L"standin.log"});
}

void ZourenDropsTheRunsChanges(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{40, films.a}, {50, films.b}});
  const std::vector<std::wstring> old = {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:00:55", films.b)};
  {
    ReelmarkApp app(context.checks, context.folder);
    app.Start();
    app.ExpectShown();
    context.checks.Require(DropFiles(app.Proc().Id(), app.List(), {films.c}), "the drop could not be delivered");
    context.checks.Require(RecoveryHolds(context.folder, FavouritesFile({}, {{40, films.a}, {50, films.b}, {-5, films.c}})),
                           "after the drop: expected the recovery file to hold it, seen " +
                               Shown(FromCp936(Bytes(context.folder, kRecovery))));
    ChooseMenuCommand(app.Main(), ids::kZouren);
    app.ExpectEnded("after 走人");
  }
  context.checks.Expect(!context.folder.Exists(kRecovery), "after 走人: expected no recovery file, seen one");
  ReelmarkApp next(context.checks, context.folder);
  next.Start();
  next.ExpectShown();
  next.ExpectList("after the next start", old, 0, L"");
  PressButton(next.Main(), ids::kCommand1);
  next.ExpectEnded("after pressing 退出");
}

// Another program holds the recovery file from its first write on, letting it be read
// but neither replaced nor removed: the run's later change does not reach it, and 退出
// cannot remove it. Once it is free, the next start shows what 退出 saved, not the older
// file, which is kept aside.
void AHeldRecoveryFileThatOutlivedItsRunIsNotRestored(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{40, films.a}});
  const std::string first = FavouritesFile({}, {{40, films.a}, {-5, films.b}});
  {
    ReelmarkApp app(context.checks, context.folder);
    app.Start();
    app.ExpectShown();
    context.checks.Require(DropFiles(app.Proc().Id(), app.List(), {films.b}), "the drop could not be delivered");
    context.checks.Require(RecoveryHolds(context.folder, first), "after the drop: expected the recovery file to hold it");
    const reelmark::win32::UniqueFile held = Hold(context, kRecovery, FILE_SHARE_READ);
    context.checks.Require(DropFiles(app.Proc().Id(), app.List(), {films.c}), "the drop could not be delivered");
    context.checks.Require(app.WaitForRows({kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:00:00", films.b),
                                            Row(3, L"00:00:00", films.c)}),
                           "after the second drop: expected its film in the list");
    PressButton(app.Main(), ids::kCommand1);
    app.ExpectEnded("after pressing 退出");
    context.checks.Expect(IsRecoveryOf(context.folder.Read(kRecovery), first),
                          "after 退出: expected the held recovery file as it was");
  }
  const std::string saved = FavouritesFile({}, {{40, films.a}, {-5, films.b}, {-5, films.c}});
  ExpectFavouritesFile(context, "after 退出", saved);
  ReelmarkApp next(context.checks, context.folder);
  next.Start();
  next.ExpectShown();
  next.ExpectList("after the next start",
                  {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:00:00", films.b), Row(3, L"00:00:00", films.c)},
                  0, L"");
  context.checks.Expect(IsRecoveryOf(context.folder.Read(L"kk_fav.recovery.bad"), first),
                        "after the next start: expected the older recovery file kept aside");
  context.checks.Expect(!context.folder.Exists(kRecovery), "after the next start: expected no recovery file");
  ExpectFavouritesFile(context, "after the next start", saved);
  PressButton(next.Main(), ids::kCommand1);
  next.ExpectEnded("after pressing 退出");
}

// A recovery file that another program holds without letting it be read, all through
// start-up: after its wait the program says so and ends, touching nothing, not even the
// playing player; once it is free, the next start restores it.
void ARecoveryFileHeldAtStartUpIsNeverTakenForNone(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{40, films.a}});
  const std::string left =
      RecoveryNewerThan(context.folder.File(L"kk_fav.ini"), FavouritesFile({}, {{40, films.a}, {600, films.b}}));
  context.checks.Require(!left.empty(), "cannot read the stamp of kk_fav.ini");
  context.folder.Write(kRecovery, left);
  const std::string favourites = *context.folder.Read(L"kk_fav.ini");
  Process player = StartPlayingFilm(context.checks, context.folder, films.c);
  {
    const reelmark::win32::UniqueFile held = Hold(context, kRecovery, 0);
    ReelmarkApp app(context.checks, context.folder);
    app.Start();
    app.ExpectStartupBox({L"提示",
                          L"收藏的恢复文件正被其他程序占用，请稍后再启动本程序：\n\r" + context.folder.File(kRecovery),
                          Buttons::Ok, IDOK});
    app.ExpectEndedUnseen("after the notice");
    context.checks.Expect(player.Running(), "after the notice: expected the player still playing");
  }
  context.checks.Expect(context.folder.Read(kRecovery) == left, "after the notice: expected the recovery file untouched");
  context.checks.Expect(context.folder.Read(L"kk_fav.ini") == favourites, "after the notice: expected kk_fav.ini untouched");
  player.Kill();
  ReelmarkApp next(context.checks, context.folder);
  next.Start();
  next.ExpectShown();
  next.ExpectList("after the next start", {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:10:05", films.b)}, 0,
                  L"");
  PressButton(next.Main(), ids::kCommand1);
  next.ExpectEnded("after pressing 退出");
}

// The list's films once each, numbered 1 to n in order: a list of some moment, never a part.
bool WholeList(const std::vector<std::wstring>& rows, const std::vector<std::wstring>& films, std::string& seen) {
  if (rows.size() != films.size() + 1 || rows[0] != kHeaderRow) {
    seen = std::to_string(rows.size()) + " rows";
    return false;
  }
  std::vector<std::wstring> paths;
  paths.reserve(films.size());
  for (size_t i = 1; i < rows.size(); ++i) {
    std::wstring number = std::to_wstring(i);
    number.insert(0, 4 - number.size(), L'0');
    if (rows[i].compare(0, 4, number) != 0 || rows[i].size() < 16) {
      seen = "row " + std::to_string(i) + " " + Shown(rows[i]);
      return false;
    }
    paths.push_back(rows[i].substr(16));
  }
  std::sort(paths.begin(), paths.end());
  if (paths != films) {
    seen = "another set of films";
    return false;
  }
  return true;
}

void KillsWhileRowsMoveLeaveAWholeList(Context& context) {
  constexpr int kFavourites = 9999, kKills = 5;
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  std::vector<StoredFavourite> favourites;
  std::vector<std::wstring> films;
  for (int i = 1; i <= kFavourites; ++i) {
    favourites.push_back({i * 7LL, L"D:\\电影\\第" + std::to_wstring(i) + L"集.mkv"});
    films.push_back(favourites.back().path);
  }
  std::sort(films.begin(), films.end());
  WriteFavourites(context, {}, favourites);
  const unsigned seed = static_cast<unsigned>(GetTickCount64());
  std::mt19937 random(seed);
  std::uniform_int_distribution<DWORD> moment(0, 1500);
  int midWrite = 0;
  std::vector<std::wstring> before;  // the list a killed run started with
  for (int kill = 0; kill <= kKills; ++kill) {
    const std::string after = "after kill " + std::to_string(kill) + " (seed " + std::to_string(seed) + ")";
    ReelmarkApp app(context.checks, context.folder);
    app.Start();
    app.ExpectShown();
    const std::optional<std::vector<std::wstring>> rows = ListRows(app.List());
    std::string seen = "no rows";
    if (!context.checks.Expect(rows && WholeList(*rows, films, seen), after + ": expected a whole list, seen " + seen)) {
      return;
    }
    // The killed run had written a list with moves: the next start shows that or a later one.
    if (kill > 0 && !context.checks.Expect(*rows != before, after + ": expected the rows moved, seen the list of before")) {
      return;
    }
    before = *rows;
    if (kill == kKills) {
      PressButton(app.Main(), ids::kCommand1);
      app.ExpectEnded((after + ", pressing 退出").c_str());
      break;
    }
    // Row 1 goes down, one place per key, until the recovery file holds a move, and then
    // on until the moment comes; it is written every half second meanwhile.
    context.checks.Require(ClickRow(app.List(), 1), after + ": cannot click row 1");
    const auto moveUntil = [&](const std::function<bool()>& done) {
      while (!done() && TypeCharAndWait(app.List(), L's')) {
      }
    };
    const ULONGLONG limit = GetTickCount64() + kWaitMs;
    moveUntil([&] { return context.folder.Exists(kRecovery) || GetTickCount64() > limit; });
    context.checks.Require(context.folder.Exists(kRecovery), after + ": expected a recovery file after the moves, seen none");
    const ULONGLONG end = GetTickCount64() + moment(random);
    moveUntil([&] { return GetTickCount64() >= end; });
    Kill(context, app);
    if (context.folder.Exists(L"kk_fav.recovery.ini.new")) ++midWrite;
  }
  context.checks.Expect(!context.folder.Exists(kRecovery), "after 退出: expected no recovery file, seen one");
  printf("  %d of %d kills came while the recovery file was being written\n", midWrite, kKills);
  fflush(stdout);
}

}  // namespace

void AddRecoveryScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"recovery-hot-key-capture-survives-a-kill", HotKeyCaptureSurvivesAKill});
  scenarios.push_back({"recovery-zouren-after-a-drop-keeps-the-old-list", ZourenDropsTheRunsChanges});
  scenarios.push_back({"recovery-kills-while-rows-move-leave-a-whole-list", KillsWhileRowsMoveLeaveAWholeList});
  scenarios.push_back({"recovery-held-at-exit-is-not-restored", AHeldRecoveryFileThatOutlivedItsRunIsNotRestored});
  scenarios.push_back({"recovery-held-at-start-up-ends-touching-nothing", ARecoveryFileHeldAtStartUpIsNeverTakenForNone});
}

}  // namespace e2e
