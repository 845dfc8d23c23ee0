#include <gtest/gtest.h>

#include "fake_platform.h"
#include "persistence/favourites.h"
#include "persistence/player_settings.h"

namespace reelmark {
namespace {

class PlayerSettingsFile : public ::testing::Test {
 protected:
  testing::FakePlatform platform;
  std::wstring path = platform.Path(L"kk.ini");
  PlayerSettings settings{platform, path};
};

TEST_F(PlayerSettingsFile, AMissingFileReadsAsAutoResumeOffAndNoFilm) {
  EXPECT_FALSE(settings.Exists());
  EXPECT_FALSE(settings.AutoResume());
  const CapturedFilm film = settings.ReadCapturedFilm();
  EXPECT_EQ(film.path, L"");
  EXPECT_EQ(film.shownSeconds, 5);
  EXPECT_EQ(platform.GetFile(path), nullptr);  // reading never creates the file
}

TEST_F(PlayerSettingsFile, TheCapturedFilmIsShownFiveSecondsOnRoundedHalfToEven) {
  for (const auto& [time, shown] : {std::pair{"120", 125}, {"119.5", 124}, {"120.5", 126}, {"abc", 5}}) {
    platform.PutFile(path, std::string("[Status]\r\nFilename=C:\\a.avi\r\ntime=") + time + "\r\n");
    EXPECT_EQ(settings.ReadCapturedFilm().shownSeconds, shown) << time;
  }
}

TEST_F(PlayerSettingsFile, AResumePointWritesTheShownTimeLessFiveIntoTheSameKeys) {
  platform.PutFile(path, "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=0\r\ntime=99\r\nFilename=C:\\old.avi\r\nvolume=7\r\n");
  settings.WriteResumePoint(ParseListLine(L"0001--00:00:04--D:\\电影\\a b.avi").storedSeconds, L"D:\\电影\\a b.avi");
  EXPECT_EQ(platform.Bytes(path),
            "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\ntime=-1\r\nFilename=D:\\\xB5\xE7\xD3\xB0\\a b.avi\r\n"
            "volume=7\r\n");
}

TEST_F(PlayerSettingsFile, SwitchesAndBlanksKeepEveryOtherLine) {
  platform.PutFile(path, "; the player's own\r\n[Option]\r\nauto_resume=0\r\n[Status]\r\nResume=1\r\nFilename=C:\\a.avi\r\n");
  settings.SwitchAutoResumeOn();
  settings.SetResume(false);
  settings.ClearFilename();
  EXPECT_EQ(platform.Bytes(path),
            "; the player's own\r\n[Option]\r\nauto_resume=1\r\n[Status]\r\nResume=0\r\nFilename=\r\n");
  EXPECT_TRUE(settings.AutoResume());
  EXPECT_EQ(settings.ReadCapturedFilm().path, L"");
}

}  // namespace
}  // namespace reelmark
