#include <gtest/gtest.h>
#include <algorithm>

#include "form1_fixture.h"
#include "player/player.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

using testing::FavouritesBytes;
using testing::ShownMessage;
constexpr auto Yes = MessageAnswer::Yes;
constexpr auto No = MessageAnswer::No;

class StartUp : public testing::Form1Test {};

TEST_F(StartUp, WithoutThePlayersSettingsFileItSaysSoAndEndsAtOnce) {
  PutFavourites(FavouritesBytes({{1, "C:\\a.avi"}}));
  const std::string before = platform.Bytes(FavouritesPath());
  form->Form_Load();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], (ShownMessage{L"请将本程序复制到mplayer目录下", L"提示", MessageButtons::Ok}));
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(form->Ended());
  EXPECT_EQ(form->List1.Count(), 0);
  EXPECT_EQ(platform.Bytes(FavouritesPath()), before);
  form->Unload();  // a window that ended at once never runs shut-down
  EXPECT_FALSE(platform.destroyed);
  EXPECT_EQ(platform.Bytes(FavouritesPath()), before);
}

TEST_F(StartUp, AHiddenOrSystemSettingsFileCountsAsMissing) {
  platform.PutFile(SettingsPath(), "[Option]\r\nauto_resume=1\r\n", kAttributeHidden);
  form->Form_Load();
  EXPECT_TRUE(platform.ended);
}

TEST_F(StartUp, PlacesTheWindowAndFillsTheHelpText) {
  LoadFavourites({});
  EXPECT_EQ(form->FixedWidth, 500);
  EXPECT_EQ(form->FixedHeight, 400);
  EXPECT_EQ(form->window.left, (1024 - 500) / 2);
  EXPECT_EQ(form->window.top, (768 - 400) / 2);
  EXPECT_EQ(form->Label4.Caption(), texts::kHelp);
  EXPECT_EQ(form->Label3.Caption(), L"");
  const std::wstring help = texts::kHelp;
  EXPECT_EQ(std::count(help.begin(), help.end(), L'\n'), 5);
}

TEST_F(StartUp, OffersToSwitchAutoResumeOnAndLeavesTheFileAloneOnNo) {
  const std::string settings = "[Status]\r\nFilename=C:\\new.avi\r\ntime=10\r\n";
  PutSettings(settings);
  Answer({No, No});
  form->Form_Load();
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0], (ShownMessage{L"你没有打开 auto_resume,程序无法获取时间和路径",
                                                L"是否打开记住播放位置选项？", MessageButtons::YesNo}));
  EXPECT_EQ(platform.Bytes(SettingsPath()), settings);
  // The captured film is still read and offered.
  EXPECT_EQ(platform.messages[1].title, L"new.avi");
}

TEST_F(StartUp, SwitchingAutoResumeOnWritesBothKeysAndAsksForARestart) {
  PutSettings("[Option]\r\nauto_resume=0\r\n");
  Answer({Yes});
  form->Form_Load();
  EXPECT_EQ(platform.Bytes(SettingsPath()), "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\n");
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1], (ShownMessage{L"如果你已经打开mplayer，请重新打开，否则程序无法获取时间和路径！", L"提示",
                                                MessageButtons::Ok}));
}

TEST_F(StartUp, LoadsTheFavouritesUnderTheHeaderWithTheirShownTimes) {
  PutSettings("[Option]\r\nauto_resume=1\r\n");
  PutFavourites(
      "[options]\r\nDelLast= 1\r\nDelLastPath=abc\r\nDblExit= 2\r\n"
      "[1fav]\r\ntime= 3720\r\nFilename=C:\\film\\a.avi\r\n"
      "[2fav]\r\nFilename=D:\\\xB5\xE7\xD3\xB0\\b.rmvb\r\n"
      "[3fav]\r\ntime=-5\r\nFilename=E:\\c.mkv\r\n"
      "[5fav]\r\ntime= 1\r\nFilename=E:\\gap.mkv\r\n");
  form->Form_Load();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"序号--播放时间--播放文件路径", L"0001--01:02:05--C:\\film\\a.avi",
                                               L"0002--00:00:05--D:\\电影\\b.rmvb", L"0003--00:00:00--E:\\c.mkv"}));
  EXPECT_EQ(form->Check1[0].Value(), 1);
  EXPECT_EQ(form->Check1[1].Value(), 0);  // not a number: the box stays as it was
  EXPECT_EQ(form->Check1[2].Value(), 2);
  EXPECT_EQ(form->CurrentRow, 0);
  EXPECT_EQ(form->List1.SelectedIndex(), 0);
  EXPECT_TRUE(form->List1.Visible());
}

TEST_F(StartUp, StoredOptionsThatAreNotZeroOneOrTwoLeaveTheBoxesClear) {
  PutSettings("[Option]\r\nauto_resume=1\r\n");
  PutFavourites("[options]\r\nDelLast= 3\r\nDelLastPath=1abc\r\nDblExit=\r\n");
  form->Form_Load();
  for (const CheckBox& box : form->Check1) EXPECT_EQ(box.Value(), 0);
}

TEST_F(StartUp, TheCapturedFilmWithTheSameTimeIsSelectedWithoutAQuestion) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\b.avi\r\ntime=115\r\n");
  PutFavourites(FavouritesBytes({{1, "C:\\a.avi"}, {115, "C:\\b.avi"}}));
  form->Form_Load();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form->CurrentRow, 2);
  EXPECT_EQ(form->List1.SelectedIndex(), 2);
  EXPECT_EQ(form->Label2.Caption(), L"b.avi");
}

TEST_F(StartUp, AChangedTimeIsOfferedAndYesTakesIt) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\x\\b.avi\r\ntime=120\r\n");
  PutFavourites(FavouritesBytes({{1, "C:\\a.avi"}, {3720, "C:\\x\\b.avi"}}));
  Answer({Yes});
  form->Form_Load();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0],
            (ShownMessage{L"当前的播放时间是：00:02:05\n\r以前的播放时间是：01:02:05\n\r你是否要更新以前的记录？", L"b.avi",
                          MessageButtons::YesNo}));
  EXPECT_EQ(Rows()[2], L"0002--00:02:05--C:\\x\\b.avi");
  EXPECT_EQ(form->CurrentRow, 2);
}

TEST_F(StartUp, AChangedTimeAnsweredNoKeepsTheStoredTime) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\b.avi\r\ntime=120\r\n");
  PutFavourites(FavouritesBytes({{3720, "C:\\b.avi"}}));
  Answer({No});
  form->Form_Load();
  EXPECT_EQ(Rows()[1], L"0001--01:02:05--C:\\b.avi");
  EXPECT_EQ(form->List1.SelectedIndex(), 1);
}

TEST_F(StartUp, EveryFavouriteWithTheCapturedPathIsAskedAboutAndTheLastIsSelected) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\b.avi\r\ntime=0\r\n");
  PutFavourites(FavouritesBytes({{10, "C:\\b.avi"}, {1, "C:\\a.avi"}, {20, "C:\\b.avi"}}));
  Answer({Yes, No});
  form->Form_Load();
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(Rows()[1], L"0001--00:00:05--C:\\b.avi");
  EXPECT_EQ(Rows()[3], L"0003--00:00:25--C:\\b.avi");
  EXPECT_EQ(form->CurrentRow, 3);
}

TEST_F(StartUp, ANewFilmIsOfferedAndYesAppendsAndSelectsIt) {
  // Letter case counts: C:\A.avi is not C:\a.avi.
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\A.avi\r\ntime=120\r\n");
  PutFavourites(FavouritesBytes({{1, "C:\\a.avi"}}));
  Answer({Yes});
  form->Form_Load();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0], (ShownMessage{L"这部不存在！\n\r你是否要收藏这部影片？", L"A.avi", MessageButtons::YesNo}));
  EXPECT_EQ(Rows().back(), L"0002--00:02:05--C:\\A.avi");
  EXPECT_EQ(form->CurrentRow, 2);
  EXPECT_EQ(form->List1.SelectedIndex(), 2);
  EXPECT_EQ(form->Label2.Caption(), L"A.avi");
}

TEST_F(StartUp, ANewFilmDeclinedLeavesTheHeaderSelected) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\new.avi\r\n");
  Answer({No});
  form->Form_Load();
  EXPECT_EQ(form->List1.Count(), 1);
  EXPECT_EQ(form->CurrentRow, 0);
  EXPECT_EQ(form->List1.SelectedIndex(), 0);
}

TEST_F(StartUp, ARunningPlayerIsClosedBeforeItsFilmIsRead) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\old.avi\r\ntime=1\r\n");
  PutFavourites(FavouritesBytes({{100, "C:\\new.avi"}}));
  platform.windows = {{1, L"Reelmark"}, {44, L"MPlayer - new.avi"}};
  platform.onClose[44] = {{SettingsPath(), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\new.avi\r\ntime=100\r\n"}};
  form->Form_Load();
  EXPECT_EQ(platform.closedWindows, std::vector<WindowHandle>{44});
  EXPECT_EQ(platform.exitWaits, std::vector<unsigned>{kPlayerExitWaitMs});
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form->CurrentRow, 1);
}

TEST_F(StartUp, WithNoPlayerRunningThereIsNoPause) {
  LoadFavourites({{1, "C:\\a.avi"}});
  EXPECT_TRUE(platform.closedWindows.empty());
  EXPECT_TRUE(platform.sleeps.empty());
  EXPECT_TRUE(platform.exitWaits.empty());
}

TEST_F(StartUp, AFullListDoesNotOfferANewFilm) {
  std::vector<std::pair<int, std::string>> favourites;
  for (int i = 1; i <= 9999; ++i) favourites.push_back({1, "C:\\" + std::to_string(i) + ".avi"});
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\new.avi\r\n");
  PutFavourites(FavouritesBytes(favourites) + "[10000fav]\r\ntime=1\r\nFilename=C:\\beyond.avi\r\n");
  form->Form_Load();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(form->List1.Count(), 10000);
  EXPECT_EQ(Rows().back(), L"9999--00:00:06--C:\\9999.avi");
}

}  // namespace
}  // namespace reelmark
