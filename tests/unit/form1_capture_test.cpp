#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form1_fixture.h"
#include "persistence/favourites.h"
#include "player/player.h"

namespace reelmark {
namespace {

constexpr WindowHandle kPlayer = 42;

struct CaptureCase {
  const char* name;
  std::vector<std::pair<int, std::string>> favourites;  // stored time, path
  bool playerRunning;
  std::string recordedPath;  // Status/Filename when the capture reads it
  std::string recordedTime;
  std::vector<std::wstring> rowsAfter;  // favourites only, header left out
  int currentRow;                       // after the capture (start-up leaves 0)
  int selectedIndex;
  std::wstring label2;
};

const std::vector<std::pair<int, std::string>> kThree = {
    {60, "C:\\a\\one.avi"}, {120, "C:\\a\\two.avi"}, {180, "C:\\a\\film.avi"}};
const std::vector<std::wstring> kThreeRows = {L"0001--00:01:05--C:\\a\\one.avi", L"0002--00:02:05--C:\\a\\two.avi",
                                              L"0003--00:03:05--C:\\a\\film.avi"};

std::vector<std::wstring> With(std::vector<std::wstring> rows, int index, std::wstring line) {
  if (index > static_cast<int>(rows.size())) rows.push_back(std::move(line));
  else rows[static_cast<size_t>(index - 1)] = std::move(line);
  return rows;
}

const CaptureCase kCases[] = {
    {"header row only: the film becomes favourite 1, nothing selected by the scan",
     {}, true, "D:\\x\\new.avi", "120",
     {L"0001--00:02:05--D:\\x\\new.avi"}, 0, 0, L""},
    {"the same name in another folder refreshes that row and keeps its path",
     kThree, true, "D:\\b\\film.avi", "600",
     With(kThreeRows, 3, L"0003--00:10:05--C:\\a\\film.avi"), 3, -1, L"film.avi"},
    {"letter case counts: a new row, the last old row stays selected",
     kThree, true, "C:\\a\\Film.avi", "119.5",
     With(kThreeRows, 4, L"0004--00:02:04--C:\\a\\Film.avi"), 3, 3, L"film.avi"},
    {"of two rows with the name only the lower one is refreshed",
     {{60, "C:\\a\\one.avi"}, {120, "E:\\two.avi"}, {180, "F:\\two.avi"}}, true, "two.avi", "0",
     {L"0001--00:01:05--C:\\a\\one.avi", L"0002--00:00:05--E:\\two.avi", L"0003--00:03:05--F:\\two.avi"}, 2, -1,
     L"two.avi"},
    {"no player: the last recorded film refreshes its favourite",
     kThree, false, "C:\\a\\two.avi", "7",
     With(kThreeRows, 2, L"0002--00:00:12--C:\\a\\two.avi"), 2, -1, L"two.avi"},
    {"no player and no match: no row changes",
     kThree, false, "C:\\a\\other.avi", "7", kThreeRows, 3, 3, L"film.avi"},
    {"no recorded film: nothing appended, a folder row is not its match",
     {{60, "C:\\a\\one.avi"}, {120, "C:\\dir\\"}}, true, "", "30",
     {L"0001--00:01:05--C:\\a\\one.avi", L"0002--00:02:05--C:\\dir\\"}, 2, 2, L""},
    {"a long time text still gives the row's own path back",
     {{400000, "C:\\a\\long.avi"}}, true, "D:\\long.avi", "10",
     {L"0001--00:00:15--C:\\a\\long.avi"}, 1, -1, L"long.avi"},
};

class Capture : public testing::Form1Test, public ::testing::WithParamInterface<CaptureCase> {};

TEST_P(Capture, RefreshesOrAppendsAndLeavesTheScansSelection) {
  const CaptureCase& c = GetParam();
  SCOPED_TRACE(c.name);
  LoadFavourites(c.favourites);
  ASSERT_EQ(form->CurrentRow, 0);
  const std::string recorded = "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nFilename=" + c.recordedPath +
                               "\r\ntime=" + c.recordedTime + "\r\n";
  platform.watchedFile = SettingsPath();
  if (c.playerRunning) {
    // The player records its film as it closes; whatever the capture wrote before stays
    // only when it reached the file first.
    PutSettings("[Option]\r\nauto_resume=2\r\n[Status]\r\nFilename=C:\\old.avi\r\ntime=1\r\n");
    platform.windows = {{7, L"Notepad"}, {kPlayer, L"MPlayer - film"}};
    platform.onClose[kPlayer] = {{SettingsPath(), recorded}};
  } else {
    PutSettings("[Option]\r\nauto_resume=2\r\n[Status]\r\nFilename=" + c.recordedPath + "\r\ntime=" +
                c.recordedTime + "\r\n");
  }

  form->Command4_Click();

  std::vector<std::wstring> expected = {L"序号--播放时间--播放文件路径"};
  expected.insert(expected.end(), c.rowsAfter.begin(), c.rowsAfter.end());
  EXPECT_EQ(Rows(), expected);
  EXPECT_EQ(form->CurrentRow, c.currentRow);
  EXPECT_EQ(form->List1.SelectedIndex(), c.selectedIndex);
  EXPECT_EQ(form->Label2.Caption(), c.label2);
  EXPECT_EQ(form->Label3.Caption(), std::wstring(c.recordedPath.begin(), c.recordedPath.end()));
  EXPECT_EQ(platform.closedWindows, c.playerRunning ? std::vector<WindowHandle>{kPlayer} : std::vector<WindowHandle>{});
  // Asked to close, the player finds resuming on, or it would record no film to capture.
  EXPECT_EQ(platform.watchedAtClose,
            c.playerRunning ? std::vector<std::string>{"[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\old.avi"
                                                       "\r\ntime=1\r\nresume=1\r\n"}
                            : std::vector<std::string>{});
  EXPECT_EQ(platform.exitWaits, c.playerRunning ? std::vector<unsigned>{kPlayerExitWaitMs} : std::vector<unsigned>{});
  EXPECT_EQ(platform.Bytes(SettingsPath()),
            c.playerRunning ? recorded
                            : "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=" + c.recordedPath + "\r\ntime=" +
                                  c.recordedTime + "\r\nresume=1\r\n");
  EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Outcomes, Capture, ::testing::ValuesIn(kCases));

class CaptureLimits : public testing::Form1Test {};

TEST_F(CaptureLimits, AutoResumeOffLeavesPlayerFileAndListAlone) {
  LoadRows(2);
  const std::vector<std::wstring> before = Rows();
  const std::string settings = "[Option]\r\nauto_resume=0.4\r\n[Status]\r\nFilename=C:\\f\\1.avi\r\ntime=9\r\n";
  PutSettings(settings);
  platform.windows = {{kPlayer, L"MPlayer - 1.avi"}};
  form->sc_Click();
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(platform.Bytes(SettingsPath()), settings);
  EXPECT_TRUE(platform.closedWindows.empty());
  EXPECT_TRUE(platform.sleeps.empty());
  EXPECT_EQ(form->Label3.Caption(), L"");
  EXPECT_EQ(form->CurrentRow, 0);
}

TEST_F(CaptureLimits, AFullListTakesNoNewFavouriteButStillRefreshes) {
  LoadRows(kMaxFavourites);
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=D:\\new.avi\r\ntime=1\r\n");
  platform.windows = {{kPlayer, L"MPlayer - new.avi"}};
  platform.canWaitForExit = false;  // the player's process cannot be waited on: a pause instead
  form->ddd();
  EXPECT_EQ(form->List1.Count(), kMaxFavourites + 1);
  EXPECT_EQ(platform.sleeps, std::vector<unsigned>{kPlayerBlindWaitMs});
  EXPECT_EQ(form->CurrentRow, kMaxFavourites);

  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=D:\\9999.avi\r\ntime=0\r\n");
  form->ddd();
  EXPECT_EQ(Rows().back(), L"9999--00:00:05--C:\\f\\9999.avi");
}

}  // namespace
}  // namespace reelmark
