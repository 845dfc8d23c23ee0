// Handing favourites to the player as a playlist or a run of films, storing the
// play-and-exit option at once, and the Explorer verb in the current user's registry.
#include <windows.h>

#include "controls.h"
#include "desktop.h"
#include "keyboard.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

// The list menu's commands used here.
constexpr int kBofang3 = 2002, kBofang2 = 2003, kBobangliebiao = 2008, kMplayer = 2009;

std::wstring Field(const LogLine& line, const wchar_t* name) {
  const auto it = line.find(name);
  return it == line.end() ? std::wstring(L"<absent>") : it->second;
}

// Waits for the stand-in's log to hold `count` starts and checks the last one.
void ExpectPlayerStart(Context& context, const char* after, size_t count, const std::wstring& args,
                       const wchar_t* mode, const std::wstring& file) {
  // A line counts once it is whole: the player may be writing it while it is read.
  std::vector<LogLine> log;
  WaitUntil([&] {
    const std::string bytes = Bytes(context.folder, L"standin.log");
    log = ParseStandinLog(bytes);
    return log.size() >= count && bytes.ends_with("\r\n") && log.back().count(L"at") == 1;
  });
  context.checks.Require(log.size() == count, std::string(after) + ": expected " + std::to_string(count) +
                                                  " player starts in standin.log, seen " + std::to_string(log.size()));
  const std::string what = std::string(after) + ": standin.log ";
  context.checks.ExpectText(what + "args", args, Field(log.back(), L"args"));
  context.checks.ExpectText(what + "mode", mode, Field(log.back(), L"mode"));
  context.checks.ExpectText(what + "file", file, Field(log.back(), L"file"));
}

// Waits for the window of the player the program started, closes it and waits for the
// player to end.
void ClosePlayer(Context& context, const char* after) {
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindTitled(0, L"MPlayer - ")) != nullptr; });
  context.checks.Require(window != nullptr, std::string(after) + ": expected the player's window, seen none");
  const reelmark::win32::UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(window)));
  PostMessageW(window, WM_CLOSE, 0, 0);
  context.checks.Require(process && WaitForSingleObject(process.get(), kWaitMs) == WAIT_OBJECT_0,
                         std::string(after) + ": the player did not end when its window was closed");
}

// The playlist holds every favourite's path, one a line; the player is started on it, and
// then with the selected favourite and those below it, a path with a blank in quotation
// marks. Between the two, the player's last film is forgotten and resuming switched off.
void PlaylistSavedAndPlayed(Context& context) {
  const Films films = MakeFilms(context.folder);
  const std::wstring spaced = context.folder.MakeFilm(L"乙 film b.rmvb");
  context.folder.Write(L"kk.ini", SettingsFile(films.a, 3720));
  WriteFavourites(context, {}, {{3720, films.a}, {10, spaced}, {20, films.c}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  const std::vector<std::wstring> rows{kHeaderRow, Row(1, L"01:02:05", films.a), Row(2, L"00:00:15", spaced),
                                       Row(3, L"00:00:25", films.c)};
  ClickRow(app.List(), 2);
  app.ExpectList("after clicking row 2", rows, 2, FileNameOf(spaced));

  ChooseMenuCommand(app.Main(), kBobangliebiao);
  const std::string playlist = ToCp936(films.a + L"\r\n" + spaced + L"\r\n" + films.c + L"\r\n");
  WaitUntil([&] { return context.folder.Read(L"mplayer.pls") == playlist; });
  context.checks.ExpectBytes("mplayer.pls after 为播放列表", playlist, Bytes(context.folder, L"mplayer.pls"));
  app.ExpectList("after 为播放列表", rows, 2, FileNameOf(spaced));
  context.checks.Expect(IsWindowVisible(app.List()) != FALSE,
                        "after 为播放列表: expected the list shown, seen it hidden");
  // Hidden meanwhile, the list gets the focus back, so that w and s work at once.
  context.checks.Expect(WaitUntil([&] { return FocusOf(app.Main()) == app.List(); }),
                        "after 为播放列表: expected the keyboard focus on the list, seen " +
                            Described(FocusOf(app.Main())));
  ExpectFolderEntries(context, "after 为播放列表",
                      {L"films", L"kk.ini", L"kk_fav.ini", L"mplayer.exe", L"mplayer.pls", L"reelmark.exe"});

  ChooseMenuCommand(app.Main(), kBofang2);
  ExpectPlayerStart(context, "after 播放 mplayer.pls", 1, L" -playlist " + context.folder.File(L"mplayer.pls"),
                    L"playlist", films.a);
  ClosePlayer(context, "after 播放 mplayer.pls");  // it records the film it played, as the player does

  ChooseMenuCommand(app.Main(), kBofang3);
  ExpectPlayerStart(context, "after 播放 选定项以下", 2, L"  \"" + spaced + L"\" " + films.c, L"files", spaced);
  const std::string settings = Bytes(context.folder, L"kk.ini");
  context.checks.ExpectText("kk.ini [Status] Filename after 选定项以下", L"",
                            IniValue(settings, L"Status", L"Filename").value_or(L"<absent>"));
  context.checks.ExpectText("kk.ini [Status] Resume after 选定项以下", L"0",
                            IniValue(settings, L"Status", L"Resume").value_or(L"<absent>"));
  app.ExpectList("after 选定项以下", rows, 2, FileNameOf(spaced));
  ClosePlayer(context, "after 播放 选定项以下");

  ChooseMenuCommand(app.Main(), ids::kZouren);
  app.ExpectEnded("after 走人");
}

// Setting the boxes from the stored options is not a click: the file stays as it was.
// A click stores DblExit from Check1(2) in the program's form at once and marks the file
// hidden and system; the other lines stay as they were.
void OptionClickStoresDblExit(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  const std::wstring favourite = L"[1fav]\r\ntime= 60\r\nFilename=" + films.a + L"\r\n";
  const std::string stored = ToCp936(L"[options]\r\nDelLast=1\r\nDblExit=1\r\n" + favourite);
  context.checks.Require(context.folder.Write(L"kk_fav.ini", stored), "cannot write kk_fav.ini in the player folder");
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  const int expectedChecks[] = {BST_CHECKED, BST_UNCHECKED, BST_CHECKED};
  for (int i = 0; i < 3; ++i) {
    context.checks.ExpectNumber("Check1(" + std::to_string(i) + ") after start-up", expectedChecks[i], app.Check(i));
  }
  context.checks.ExpectBytes("kk_fav.ini after start-up", stored, Bytes(context.folder, L"kk_fav.ini"));
  const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  context.checks.ExpectNumber("kk_fav.ini hidden and system after start-up", 0,
                              context.folder.Attributes(L"kk_fav.ini") & hiddenSystem);

  struct Step {
    int box;
    const char* after;
    const wchar_t* dblExit;
  } steps[] = {{1, "after ticking Check1(1)", L" 1"}, {2, "after clearing Check1(2)", L" 0"},
               {2, "after ticking Check1(2)", L" 1"}};
  for (const Step& step : steps) {
    const std::string expected =
        ToCp936(L"[options]\r\nDelLast=1\r\nDblExit=" + std::wstring(step.dblExit) + L"\r\n" + favourite);
    const std::string before = Bytes(context.folder, L"kk_fav.ini");
    PressButton(app.Main(), ids::kCheck1 + step.box);
    WaitUntil([&] { return Bytes(context.folder, L"kk_fav.ini") != before || before == expected; });
    ExpectFavouritesFile(context, step.after, expected);
  }
  for (int i = 0; i < 3; ++i) {
    context.checks.ExpectNumber("Check1(" + std::to_string(i) + ") at the end", BST_CHECKED, app.Check(i));
  }

  ChooseMenuCommand(app.Main(), ids::kZouren);
  app.ExpectEnded("after 走人");
}

const std::wstring kVerbKey = L"Software\\Classes\\*\\shell\\Mplayer播放";

// How many subkeys and values a key of the current user has; -1, -1 when it is missing.
std::pair<long long, long long> KeyCounts(const std::wstring& path) {
  HKEY raw = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw);
  const reelmark::win32::UniqueRegistryKey key(raw);
  DWORD subkeys = 0, values = 0;
  if (!key || RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return {-1, -1};
  }
  return {subkeys, values};
}

// The verb is written for the current user, where Windows merges it into the classes
// root: one key with one default value, however often it is chosen.
void VerbWrittenForCurrentUser(Context& context) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kVerbKey.c_str());
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  // Sent rather than posted: when the call returns, the command has run.
  for (int times = 0; times < 2; ++times) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(app.Main(), WM_COMMAND, MAKEWPARAM(kMplayer, 0), 0, SMTO_NORMAL, kWaitMs, &result);
  }
  wchar_t text[1024] = {};
  DWORD type = 0, size = sizeof text;
  const LSTATUS read = RegGetValueW(HKEY_CURRENT_USER, (kVerbKey + L"\\Command").c_str(), nullptr, RRF_RT_ANY,
                                    &type, text, &size);
  context.checks.ExpectText("the verb's command in HKCU\\" + ToUtf8(kVerbKey) + "\\Command",
                            L"\"" + context.folder.Player() + L"\" \"%1\"", read == ERROR_SUCCESS ? text : L"<absent>");
  context.checks.ExpectNumber("the verb's command: type", REG_SZ, type);
  // The verb's key has no value of its own: Explorer shows its name as the menu text.
  const auto [verbSubkeys, verbValues] = KeyCounts(kVerbKey);
  context.checks.ExpectNumber("subkeys of the verb's key", 1, verbSubkeys);
  context.checks.ExpectNumber("values of the verb's key", 0, verbValues);
  context.checks.ExpectNumber("values of the Command key", 1, KeyCounts(kVerbKey + L"\\Command").second);
  RegDeleteTreeW(HKEY_CURRENT_USER, kVerbKey.c_str());

  ChooseMenuCommand(app.Main(), ids::kZouren);
  app.ExpectEnded("after 走人");
}

}  // namespace

void AddListsScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"lists-playlist-saved-and-played-both-ways", PlaylistSavedAndPlayed});
  scenarios.push_back({"lists-option-click-stores-dblexit-at-once", OptionClickStoresDblExit});
  scenarios.push_back({"lists-verb-written-for-the-current-user", VerbWrittenForCurrentUser});
}

}  // namespace e2e
