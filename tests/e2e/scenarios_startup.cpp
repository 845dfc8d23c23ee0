// Start-up without a running player: the missing settings file, the offer to switch on
// the player's resume option, and the favourites as the list shows them.
#include <windows.h>

#include "controls.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

const ExpectedBox kAutoResumeQuestion{L"是否打开记住播放位置选项？", L"你没有打开 auto_resume,程序无法获取时间和路径",
                                      Buttons::YesNo, IDNO};

void NoSettingsFile(Context& context) {
  const Films films = MakeFilms(context.folder);
  WriteFavourites(context, {}, {{3720, films.a}});
  const std::string favourites = Bytes(context.folder, L"kk_fav.ini");

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectStartupBox({L"提示", L"请将本程序复制到mplayer目录下", Buttons::Ok, IDOK});
  app.ExpectEndedUnseen("after the notice");
  context.checks.ExpectBytes("kk_fav.ini", favourites, Bytes(context.folder, L"kk_fav.ini"));
  context.checks.Expect(!context.folder.Exists(L"kk.ini"), "expected no kk.ini to be made, seen one");
}

// Declining leaves the player's file alone, and the player's last film is still offered.
void AutoResumeDeclined(Context& context) {
  const Films films = MakeFilms(context.folder);
  const std::string settings =
      ToCp936(L"[Option]\r\nvolume=80\r\n[Status]\r\nresume=0\r\nFilename=" + films.b + L"\r\ntime=120\r\n");
  context.folder.Write(L"kk.ini", settings);

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectStartupBox(kAutoResumeQuestion);
  app.ExpectStartupBox({FileNameOf(films.b), L"这部不存在！\n\r你是否要收藏这部影片？", Buttons::YesNo, IDNO});
  app.ExpectShown();
  app.ExpectList("after start-up", {kHeaderRow}, 0, L"");
  for (int i = 0; i < 3; ++i) {
    context.checks.ExpectNumber("Check1(" + std::to_string(i) + ") with no favourites file", BST_UNCHECKED, app.Check(i));
  }
  context.checks.ExpectBytes("kk.ini after No", settings, Bytes(context.folder, L"kk.ini"));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing", FavouritesFile({}, {}));
  context.checks.ExpectBytes("kk.ini after closing", settings, Bytes(context.folder, L"kk.ini"));
}

// Yes switches the option on in the player's file, edited in place, and asks for a restart.
void AutoResumeAccepted(Context& context) {
  context.folder.Write(L"kk.ini",
                       "; player settings\r\n[Option]\r\nauto_resume=0\r\nvolume = 80\r\n\r\n[Status]\r\nFilename=\r\ntime=0\r\n");

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  ExpectedBox question = kAutoResumeQuestion;
  question.answer = IDYES;
  app.ExpectStartupBox(question);
  app.ExpectStartupBox(
      {L"提示", L"如果你已经打开mplayer，请重新打开，否则程序无法获取时间和路径！", Buttons::Ok, IDOK});
  app.ExpectShown();
  app.ExpectList("after start-up with no film played", {kHeaderRow}, 0, L"");
  context.checks.ExpectBytes(
      "kk.ini after Yes",
      "; player settings\r\n[Option]\r\nauto_resume=1\r\nvolume = 80\r\n\r\n[Status]\r\nFilename=\r\ntime=0\r\nresume=1\r\n",
      Bytes(context.folder, L"kk.ini"));

  PressButton(app.Main(), ids::kCommand1);
  app.ExpectEnded("after pressing 退出");
  ExpectFavouritesFile(context, "after pressing 退出", FavouritesFile({}, {}));
}

// Favourites show with their numbers and shown times (stored + 5 s); the options tick their
// boxes; reading stops at the first missing number; closing writes the file afresh.
void FavouritesLoadedAndSaved(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  context.folder.Write(L"kk_fav.ini", ToCp936(L"[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 1\r\n"
                                              L"[1fav]\r\ntime= 3720\r\nFilename=" + films.a +
                                              L"\r\n[2fav]\r\nFilename=" + films.b +
                                              L"\r\n[3fav]\r\ntime=-5\r\nFilename=" + films.c +
                                              L"\r\n[5fav]\r\ntime= 10\r\nFilename=" + films.d + L"\r\n"));
  context.folder.SetAttributes(L"kk_fav.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  app.ExpectList("after start-up",
                 {kHeaderRow, Row(1, L"01:02:05", films.a), Row(2, L"00:00:05", films.b), Row(3, L"00:00:00", films.c)},
                 0, L"");
  const int expectedChecks[3] = {BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED};
  for (int i = 0; i < 3; ++i) {
    context.checks.ExpectNumber("Check1(" + std::to_string(i) + ") from the favourites file", expectedChecks[i],
                                app.Check(i));
  }
  context.checks.ExpectText("Label3 after start-up", L"", app.ControlText(ids::kLabel3));
  const std::wstring help = app.ControlText(ids::kLabel4);
  const std::wstring firstLine = L"简要说明：支持多个文件拖放到列表框，双击列表相应的文件可播放。mplayer正在播放\r\n";
  context.checks.Expect(help.compare(0, firstLine.size(), firstLine) == 0,
                        "Label4: expected the help text starting " + Shown(firstLine) + ", seen " + Shown(help));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing",
                       FavouritesFile({0, 0, 1}, {{3720, films.a}, {0, films.b}, {-5, films.c}}));
  context.checks.ExpectBytes("kk.ini after closing", SettingsFile(L"", 0), Bytes(context.folder, L"kk.ini"));
  ExpectFolderEntries(context, "after closing", {L"films", L"kk.ini", L"kk_fav.ini", L"mplayer.exe", L"reelmark.exe"});
}

// A favourites file an editor saved as Unicode (UTF-16LE behind its mark) loads whole, and
// closing writes every favourite back: as Unicode, since one path has characters that
// code page 936 has no place for.
void UnicodeFavouritesSurvive(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  const std::wstring korean = L"D:\\영화\\한국 영화.mkv";
  const std::vector<StoredFavourite> favourites = {
      {3720, films.a}, {10, L"D:\\电影\\第二部 续集.rmvb"}, {-5, korean}, {0, films.b}};
  const std::string unicode = Utf16LeFile(FavouritesText({0, 0, 1}, favourites));
  context.checks.Require(context.folder.Write(L"kk_fav.ini", unicode) &&
                             context.folder.SetAttributes(L"kk_fav.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                         "cannot write kk_fav.ini in the player folder");

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  app.ExpectList("after start-up with a Unicode favourites file",
                 {kHeaderRow, Row(1, L"01:02:05", films.a), Row(2, L"00:00:15", favourites[1].path),
                  Row(3, L"00:00:00", korean), Row(4, L"00:00:05", films.b)},
                 0, L"");
  context.checks.ExpectNumber("Check1(2) from the Unicode favourites file", BST_CHECKED, app.Check(2));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  ExpectFavouritesFile(context, "after closing", unicode);
}

// The list holds at most 9,999 favourites: a longer file loads 9,999, a new film is not
// offered, and closing writes the 9,999 back.
void FullListOffersNoMore(Context& context) {
  constexpr int kMost = 9999;
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(films.d, 60));
  std::vector<StoredFavourite> favourites;
  for (int i = 1; i <= kMost + 1; ++i) favourites.push_back({i, films.a + L"." + std::to_wstring(i)});
  WriteFavourites(context, {}, favourites);

  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();  // no question about the new film
  context.checks.ExpectNumber("rows with a file of 10,000 favourites", kMost + 1,
                              ListCount(app.List()).value_or(-1));
  context.checks.ExpectText("row 1", Row(1, L"00:00:06", films.a + L".1"), ListRow(app.List(), 1).value_or(L"<none>"));
  context.checks.ExpectText("row 9999", Row(kMost, L"02:46:44", films.a + L".9999"),
                            ListRow(app.List(), kMost).value_or(L"<none>"));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the window");
  favourites.pop_back();
  ExpectFavouritesFile(context, "after closing", FavouritesFile({}, favourites));
}

}  // namespace

void AddStartupScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"startup-without-settings-file-says-so-and-ends", NoSettingsFile});
  scenarios.push_back({"startup-auto-resume-declined-writes-nothing", AutoResumeDeclined});
  scenarios.push_back({"startup-auto-resume-accepted-switches-it-on", AutoResumeAccepted});
  scenarios.push_back({"startup-loads-favourites-and-close-saves-them", FavouritesLoadedAndSaved});
  scenarios.push_back({"startup-full-list-of-9999-offers-no-more", FullListOffersNoMore});
  scenarios.push_back({"startup-unicode-favourites-file-loses-nothing", UnicodeFavouritesSurvive});
}

}  // namespace e2e
