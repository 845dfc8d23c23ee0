// Dropping files on the list and copying a favourite's path.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/path.h"
#include "fake_platform.h"
#include "persistence/favourites.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

using testing::FakePlatform;
using testing::ShownMessage;

// A window with its favourites put straight into the list, as start-up leaves them.
struct Window {
  FakePlatform platform;
  Form1 form{platform};

  Window(const std::vector<std::wstring>& paths, int selected) {
    std::vector<std::wstring> rows{texts::kHeaderRow};
    for (const std::wstring& path : paths) rows.push_back(FormatListLine(static_cast<int>(rows.size()), 65, path));
    form.List1.AppendRows(std::move(rows));
    form.List1.Select(selected);
  }
};

// The drop as the list's row-by-row scan does it: every row looked at is selected.
void ScanRowByRow(Window& window, const std::vector<std::wstring>& files) {
  ListBox& list = window.form.List1;
  for (const std::wstring& file : files) {
    const int last = list.Count() - 1;
    bool listed = false;
    for (int j = 1; j <= last && !listed; ++j) {
      list.Select(j);
      const std::wstring path(ListLinePath(list.SelectedText()));
      if (FileNameOf(path) != FileNameOf(file)) continue;
      listed = true;
      if (files.size() == 1 &&
          window.platform.ShowMessage(L"是否要播放\n\r" + path, L"提示", MessageButtons::YesNo, false) ==
              MessageAnswer::Yes) {
        window.form.List1_DblClick();
      }
    }
    if (!listed && last + 1 <= kMaxFavourites) list.Append(FormatListLine(last + 1, 0, file));
  }
}

// Drops the files on two equal windows, one by the scan, and expects them alike;
// answers how many rows the drop added and how many questions it asked.
std::pair<int, size_t> ExpectAsScanned(const std::vector<std::wstring>& listed, int selected,
                                       const std::vector<std::wstring>& dropped, const std::string& what) {
  Window reference(listed, selected), fast(listed, selected);
  reference.platform.answers = fast.platform.answers = {MessageAnswer::No};
  ScanRowByRow(reference, dropped);
  fast.form.List1_OLEDragDrop(dropped);
  EXPECT_EQ(fast.form.List1.Rows(), reference.form.List1.Rows()) << what;
  EXPECT_EQ(fast.form.List1.SelectedIndex(), reference.form.List1.SelectedIndex()) << what;
  EXPECT_EQ(fast.form.CurrentRow, reference.form.CurrentRow) << what;
  EXPECT_EQ(fast.form.Label2.Caption(), reference.form.Label2.Caption()) << what;
  EXPECT_EQ(fast.platform.messages, reference.platform.messages) << what;
  return {fast.form.List1.Count() - 1 - static_cast<int>(listed.size()), fast.platform.messages.size()};
}

TEST(Drop, GivesWhatTheRowByRowScanGives) {
  // Few names in many folders, so that drops meet listed names, names in other letter
  // case, names twice in one drop and paths without a folder.
  const std::vector<std::wstring> names = {L"a.avi", L"A.avi", L"b.mkv", L"电影.rmvb", L"c d.avi", L"e.avi", L"f.mp4"};
  const std::vector<std::wstring> folders = {L"C:\\", L"D:\\影\\", L"E:\\x\\y\\", L""};
  std::mt19937 random(20261207);
  auto pick = [&random](const auto& items) { return items[random() % items.size()]; };
  auto path = [&] { return pick(folders) + pick(names); };
  int added = 0;
  size_t questions = 0;
  for (int round = 0; round < 400 && !HasFailure(); ++round) {
    std::vector<std::wstring> listed(random() % 8);
    for (std::wstring& p : listed) p = path();
    std::vector<std::wstring> dropped(1 + random() % (round % 3 == 0 ? 1 : 6));
    for (std::wstring& p : dropped) p = path();
    const int selected = static_cast<int>(random() % (listed.size() + 2)) - 1;
    const auto [rows, asked] = ExpectAsScanned(listed, selected, dropped, "round " + std::to_string(round));
    added += rows;
    questions += asked;
  }
  // The cases reach both ways a dropped file can go.
  EXPECT_GT(added, 100);
  EXPECT_GT(questions, 20u);
}

TEST(Drop, AFullListTakesNoMoreFilesButStillFindsListedOnes) {
  std::vector<std::wstring> listed;
  for (int i = 1; i <= kMaxFavourites - 2; ++i) listed.push_back(L"C:\\f\\" + std::to_wstring(i) + L".avi");
  const std::vector<std::wstring> five = {L"D:\\n1.avi", L"D:\\n2.avi", L"D:\\5.avi", L"D:\\n3.avi", L"D:\\n2.avi"};
  EXPECT_EQ(ExpectAsScanned(listed, 3, five, "five files"), (std::pair<int, size_t>{2, 0}));
  EXPECT_EQ(ExpectAsScanned(listed, 3, {L"D:\\9997.avi"}, "a listed file"), (std::pair<int, size_t>{0, 1}));
}

// A path the system could not give arrives empty. It is skipped: as a row it would end the
// favourites file at the next start-up, and it is no file to offer playing either (its
// file name, empty, is that of a row whose path ends in a backslash).
TEST(Drop, SkipsAnEmptyPath) {
  const std::wstring header = texts::kHeaderRow, a = L"0001--00:01:05--C:\\a.avi", dir = L"0002--00:01:05--C:\\dir\\";
  const struct {
    std::vector<std::wstring> listed, dropped, rowsAfter;
  } cases[] = {
      {{L"C:\\a.avi"}, {L"", L"D:\\x.avi", L""}, {header, a, L"0002--00:00:00--D:\\x.avi"}},
      {{L"C:\\a.avi", L"C:\\dir\\"}, {L""}, {header, a, dir}},
  };
  for (const auto& c : cases) {
    Window window(c.listed, 1);
    window.form.List1_OLEDragDrop(c.dropped);
    EXPECT_EQ(window.form.List1.Rows(), c.rowsAfter) << c.dropped.size() << " paths";
    EXPECT_TRUE(window.platform.messages.empty()) << c.dropped.size() << " paths";
  }
}

// A single dropped file that is listed already: Yes plays the favourite that holds its name
// (row 2, its own path and position), No plays nothing.
TEST(Drop, YesToTheQuestionPlaysTheListedFavourite) {
  for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
    Window window({L"C:\\a.avi", L"C:\\b.avi"}, 1);
    window.platform.PutFile(window.platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n");
    window.platform.PutFile(L"C:\\b.avi", "film");
    window.platform.answers = {answer};
    window.form.List1_OLEDragDrop({L"D:\\other\\b.avi"});
    EXPECT_EQ(window.platform.messages.size(), 1u);
    EXPECT_EQ(window.platform.startedProcesses.size(), answer == MessageAnswer::Yes ? 1u : 0u);
    EXPECT_EQ(window.platform.Bytes(window.platform.Path(L"kk.ini")),
              answer == MessageAnswer::Yes
                  ? "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nTime=60\r\nFilename=C:\\b.avi\r\n"
                  : "[Option]\r\nauto_resume=1\r\n");
    EXPECT_EQ(window.form.List1.Count(), 3);
  }
}

// The window hears of all new rows as one change, so it can paint them once.
class RecordingObserver final : public ListBoxObserver {
 public:
  void RowInserted(int, const std::wstring&) override { ++inserted; }
  void RowRemoved(int) override {}
  void Cleared() override {}
  void SelectionChanged(int) override { ++selections; }
  void VisibilityChanged(bool) override {}
  void MarkChanged(int, bool) override {}
  void RowsAppended(int first, std::span<const std::wstring> texts) override {
    appends.push_back({first, static_cast<int>(texts.size())});
  }
  int inserted = 0, selections = 0;
  std::vector<std::pair<int, int>> appends;
};

TEST(Drop, TellsTheWindowOnceAndSelectsOnce) {
  Window window({L"C:\\a.avi", L"C:\\b.avi"}, 1);
  RecordingObserver observer;
  window.form.List1.SetObserver(&observer);
  window.form.List1_OLEDragDrop({L"D:\\x.avi", L"D:\\a.avi", L"D:\\y.avi"});
  EXPECT_EQ(observer.inserted, 0);
  EXPECT_EQ(observer.appends, (std::vector<std::pair<int, int>>{{3, 2}}));
  EXPECT_EQ(observer.selections, 1);
  window.form.List1.SetObserver(nullptr);
}

TEST(CopyPath, NoticeFirstThenThePathOfTheSelectedRow) {
  struct Case {
    const char* what;
    std::vector<std::wstring> listed;
    int select;
    bool clearFirst;  // a clear leaves the current row behind with no row selected
    std::wstring notice;
    std::vector<std::wstring> clipboard;
  };
  const std::vector<Case> cases = {
      {"nothing selected", {L"C:\\a.avi"}, -1, false, texts::kNoRowToCopy, {}},
      {"the header row", {L"C:\\a.avi"}, 0, false, texts::kNoRowToCopy, {}},
      {"a favourite", {L"C:\\a.avi", L"C:\\b.avi", L"D:\\电影\\a.rmvb"}, 3, false, texts::kPathCopied,
       {L"D:\\电影\\a.rmvb"}},
      {"a path without a folder", {L"film.avi"}, 1, false, texts::kPathCopied, {L"film.avi"}},
      {"the current row gone after a clear", {L"C:\\a.avi", L"C:\\b.avi"}, 2, true, texts::kPathCopied, {L""}},
  };
  for (const Case& c : cases) {
    Window window(c.listed, c.select);
    if (c.clearFirst) {
      window.platform.answers = {MessageAnswer::Yes};
      window.form.clr1_Click();
      window.platform.messages.clear();
    }
    window.form.Command2_Click();
    EXPECT_EQ(window.platform.messages, (std::vector<ShownMessage>{{c.notice, L"提示", MessageButtons::Ok}})) << c.what;
    std::vector<FakePlatform::ClipboardText> clipboard;
    for (const std::wstring& text : c.clipboard) clipboard.push_back({text, 1});  // after the notice
    EXPECT_EQ(window.platform.clipboard, clipboard) << c.what;
  }
}

}  // namespace
}  // namespace reelmark
