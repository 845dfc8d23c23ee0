// Files dropped on the list from outside, and a favourite's path copied to the clipboard.
#include <windows.h>

#include "controls.h"
#include "desktop.h"
#include "drop_clipboard.h"
#include "message_box.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

void Drop(Context& context, ReelmarkApp& app, const std::vector<std::wstring>& paths) {
  context.checks.Require(DropFiles(app.Proc().Id(), app.List(), paths),
                         "cannot place a DROPFILES block in the program's memory");
}

// New files become favourites at 00:00:00, numbered on from the last; a name twice in
// one drop is added once; the file written at the end holds them at -5 seconds.
void DropOneThenSeveral(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{10, films.a}, {20, films.b}});
  const std::wstring elsewhere = L"D:\\新 文件夹\\夜 航.mkv";  // a drop is not tested for existence
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  std::vector<std::wstring> rows = {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:25", films.b)};

  ClickRow(app.List(), 1);
  app.WaitForSelection(1);
  Drop(context, app, {films.c});
  rows.push_back(Row(3, L"00:00:00", films.c));
  app.ExpectList("after dropping one new file", rows, 2, FileNameOf(films.b));

  Drop(context, app, {films.d, elsewhere, context.folder.File(L"again\\film-d.rmvb")});
  rows.push_back(Row(4, L"00:00:00", films.d));
  rows.push_back(Row(5, L"00:00:00", elsewhere));
  app.ExpectList("after dropping three files, the last named like the first", rows, 4, FileNameOf(films.d));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing");
  ExpectFavouritesFile(
      context, "after closing",
      FavouritesFile({}, {{10, films.a}, {20, films.b}, {-5, films.c}, {-5, films.d}, {-5, elsewhere}}));
}

// A single file whose name is listed asks to play that favourite; a listed file among
// others is passed over without a word.
void DropListedFiles(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{10, films.a}, {20, films.b}, {30, films.c}});
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  std::vector<std::wstring> rows = {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:25", films.b),
                                    Row(3, L"00:00:35", films.c)};

  Drop(context, app, {L"E:\\别处\\" + FileNameOf(films.b)});
  app.ExpectBox({L"提示", L"是否要播放\n\r" + films.b, Buttons::YesNo, IDNO});
  app.ExpectList("after No to playing the listed file", rows, 2, FileNameOf(films.b));

  const std::wstring fresh = L"E:\\别处\\新.avi";
  Drop(context, app, {L"E:\\别处\\" + FileNameOf(films.c), fresh});
  rows.push_back(Row(4, L"00:00:00", fresh));
  app.ExpectList("after dropping a listed and a new file", rows, 3, FileNameOf(films.c));
  HWND box = FindMessageBox(app.Proc().Id());
  context.checks.Expect(!box, "after dropping two files: expected no question, seen " +
                                  (box ? ReadMessageBox(box).Describe() : std::string()));

  ChooseMenuCommand(app.Main(), ids::kZouren);
  app.ExpectEnded("after 走人");
}

// 复制路径 says so first and fills the clipboard only afterwards, in Unicode and in the
// ANSI code page; with no favourite selected it leaves the clipboard alone.
void CopyPath(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{10, films.a}, {20, films.b}});
  const std::wstring before = L"clipboard before 复制路径";
  context.checks.Require(PutClipboardText(before) && ClipboardUnicodeText() == before,
                         "cannot put a text on the clipboard");
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();

  PressButton(app.Main(), ids::kCommand2);  // the header row is selected
  app.ExpectBox({L"提示", L"你没有选择列表或列表没有文件！", Buttons::Ok, IDOK});
  context.checks.ExpectText("the clipboard after 复制路径 on the header row", before,
                            ClipboardUnicodeText().value_or(L"<none>"));

  ClickRow(app.List(), 1);
  app.WaitForSelection(1);
  PressButton(app.Main(), ids::kCommand2);
  context.checks.Require(WaitUntil([&] { return FindMessageBox(app.Proc().Id()) != nullptr; }),
                         "复制路径 on row 1: expected a notice, seen none");
  context.checks.ExpectText("the clipboard while the notice shows", before, ClipboardUnicodeText().value_or(L"<none>"));
  app.ExpectBox({L"提示", L"文件路径已复制到粘贴板", Buttons::Ok, IDOK});
  WaitUntil([&] { return ClipboardUnicodeText() == films.a; });
  context.checks.ExpectText("the clipboard's Unicode text after the notice", films.a,
                            ClipboardUnicodeText().value_or(L"<none>"));
  context.checks.ExpectBytes("the clipboard's ANSI text after the notice", ToCp936(films.a),
                             ClipboardOwnAnsiBytes().value_or("<none>"));

  PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing");
}

}  // namespace

void AddDropScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"drop-one-then-several-files", DropOneThenSeveral});
  scenarios.push_back({"drop-listed-files-asks-for-one-only", DropListedFiles});
  scenarios.push_back({"copy-path-notice-then-clipboard", CopyPath});
}

}  // namespace e2e
