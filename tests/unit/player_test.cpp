#include <gtest/gtest.h>

#include "fake_platform.h"
#include "player/player.h"

namespace reelmark {
namespace {

using testing::FakePlatform;

TEST(PlayerWindow, TitleMatchesOnTheFirstTenCharactersWithoutCase) {
  for (const wchar_t* title : {L"MPlayer - film.avi", L"MPLAYER - x", L"mplayer - ", L"mPlAyEr - 电影.rmvb"}) {
    EXPECT_TRUE(TitleMatchesPrefix(title, kPlayerTitlePrefix)) << title;
  }
  for (const wchar_t* title : {L"MPlayer-film.avi", L"MPlayer", L"SMPlayer - x", L"MPlayer -", L""}) {
    EXPECT_FALSE(TitleMatchesPrefix(title, kPlayerTitlePrefix)) << title;
  }
  EXPECT_FALSE(TitleMatchesPrefix(L"MPlayer - x", L"MPlayer"));  // a prefix of another length
}

TEST(PlayerWindow, TheFirstMatchFromTheTopWinsAndOurOwnWindowIsSkipped) {
  FakePlatform platform;
  platform.ownWindow = 5;
  platform.windows = {{5, L"MPlayer - own"}, {7, L"Notepad"}, {8, L"MPLAYER - a.avi"}, {9, L"MPlayer - b.avi"}};
  EXPECT_EQ(FindPlayerWindow(platform, kPlayerTitlePrefix), 8u);
  platform.windows = {{5, L"MPlayer - own"}, {7, L"Notepad"}};
  EXPECT_EQ(FindPlayerWindow(platform, kPlayerTitlePrefix), 0u);
}

TEST(PlayerWindow, ClosingWaitsForThePlayerOrPausesWhenItCannot) {
  FakePlatform platform;
  ClosePlayer(platform, 0);
  EXPECT_TRUE(platform.closedWindows.empty());
  EXPECT_TRUE(platform.sleeps.empty());

  ClosePlayer(platform, 8);
  EXPECT_EQ(platform.closedWindows, std::vector<WindowHandle>{8});
  EXPECT_EQ(platform.exitWaits, std::vector<unsigned>{kPlayerExitWaitMs});
  EXPECT_TRUE(platform.sleeps.empty());

  platform.canWaitForExit = false;
  ClosePlayer(platform, 9);
  EXPECT_EQ(platform.sleeps, std::vector<unsigned>{kPlayerBlindWaitMs});
}

}  // namespace
}  // namespace reelmark
