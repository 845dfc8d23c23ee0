#include <gtest/gtest.h>

#include "form1_fixture.h"
#include "player/playlist.h"
#include "ui/layout.h"

namespace reelmark {
namespace {

const std::wstring kHeader = L"序号--播放时间--播放文件路径";

TEST(Playlist, OnePathALineWithCrLfInTheAnsiCodePage) {
  struct Case {
    std::vector<std::wstring> rows;
    std::string bytes;
  } cases[] = {
      {{kHeader}, ""},
      {{kHeader, L"0001--00:00:05--C:\\a.avi", L"0002--01:02:05--D:\\film b.rmvb", L"0003--00:00:00--E:\\c.mkv"},
       "C:\\a.avi\r\nD:\\film b.rmvb\r\nE:\\c.mkv\r\n"},
      // Chinese in code page 936; a time of 100 hours and more still gives the whole path.
      {{kHeader, L"0001--00:00:05--D:\\电影.avi", L"0002--100:00:00--E:\\x.mkv"},
       "D:\\\xB5\xE7\xD3\xB0.avi\r\nE:\\x.mkv\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaylistBytes(c.rows), c.bytes) << c.rows.size();
}

// Each path one argument as the system splits it: quoted with a blank, a tab or a quote,
// its quotes and the backslashes before them escaped; "-" kept from reading as an option.
TEST(PlayerCommandLine, EachPathGoesAsOneArgument) {
  struct Case {
    std::wstring dir;
    std::vector<std::wstring> paths;
    std::wstring files;
    std::wstring playlist;
  } cases[] = {
      {L"D:\\MPlayer", {L"C:\\a.avi", L"E:\\c.mkv"}, L"D:\\MPlayer\\mplayer.exe  C:\\a.avi E:\\c.mkv",
       L"D:\\MPlayer\\mplayer.exe -playlist D:\\MPlayer\\mplayer.pls"},
      {L"D:\\My Player",
       {L"D:\\film b.rmvb", L"-x.avi", L"C:\\My Films\\", L"a\\\"b\tc", L"E:\\c.mkv"},
       L"\"D:\\My Player\\mplayer.exe\"  \"D:\\film b.rmvb\" .\\-x.avi \"C:\\My Films\\\\\" "
       L"\"a\\\\\\\"b\tc\" E:\\c.mkv",
       L"\"D:\\My Player\\mplayer.exe\" -playlist \"D:\\My Player\\mplayer.pls\""},
      {L"D:\\MPlayer", {}, L"D:\\MPlayer\\mplayer.exe ", L"D:\\MPlayer\\mplayer.exe -playlist D:\\MPlayer\\mplayer.pls"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FilesCommandLine(c.dir, c.paths), c.files);
    EXPECT_EQ(PlaylistCommandLine(c.dir), c.playlist);
  }
}

// The cap counts each path as written: "a \"b" takes 7 characters, "-x.avi" 8.
TEST(PlayerCommandLine, StopsAtTheFirstPathThatNoLongerFits) {
  const std::wstring dir = L"D:\\MPlayer";
  const std::wstring prefix = dir + L"\\mplayer.exe ";
  const std::wstring fits(kMaxCommandLine - prefix.size() - 1 - 8, L'a');  // room for " xxxxxxx"
  const std::wstring line = FilesCommandLine(dir, {fits, L"a \"b", L"1"});
  EXPECT_EQ(line, prefix + L" " + fits + L" \"a \\\"b\"");
  EXPECT_EQ(line.size(), kMaxCommandLine);
  EXPECT_EQ(FilesCommandLine(dir, {fits, L"-x.avi", L"1"}), prefix + L" " + fits);
}

class Playlists : public testing::Form1Test {
 protected:
  void LoadThree() { LoadFavourites({{0, "C:\\a.avi"}, {10, "D:\\film b.rmvb"}, {20, "E:\\c.mkv"}}); }
  std::string Playlist() const { return platform.Bytes(platform.Path(L"mplayer.pls")); }
};

// Saving walks the rows; afterwards the selection, the current row and Label2 are those
// the walk leaves: the remembered row, and the last row's name where it shows none. The
// old playlist's attributes stay; a read-only one is left as it is.
TEST_F(Playlists, SavingWritesEveryPathAndLeavesTheSelectionAsTheWalkDoes) {
  const std::string old = "old playlist, longer than the new one\r\n";
  struct Case {
    int selected;
    std::wstring label2;
    std::uint32_t attributes;  // of the old playlist
  } cases[] = {{2, L"film b.rmvb", 0}, {0, L"c.mkv", kAttributeHidden}, {-1, L"c.mkv", kAttributeReadOnly}};
  for (const Case& c : cases) {
    platform = {};
    NewForm();
    LoadThree();
    platform.PutFile(platform.Path(L"mplayer.pls"), old, c.attributes);
    form->List1.Select(c.selected);
    form->bobangliebiao_Click();
    EXPECT_EQ(Playlist(), c.attributes & kAttributeReadOnly ? old : "C:\\a.avi\r\nD:\\film b.rmvb\r\nE:\\c.mkv\r\n");
    EXPECT_EQ(platform.GetFile(platform.Path(L"mplayer.pls"))->attributes, c.attributes);
    EXPECT_EQ(form->List1.SelectedIndex(), c.selected);
    EXPECT_EQ(form->CurrentRow, c.selected);
    EXPECT_EQ(form->Label2.Caption(), c.label2) << c.selected;
    EXPECT_TRUE(form->List1.Visible());
    EXPECT_TRUE(platform.startedProcesses.empty());
  }
}

TEST_F(Playlists, NoFavouritesGiveAnEmptyPlaylist) {
  LoadFavourites({});
  form->bobangliebiao_Click();
  ASSERT_NE(platform.GetFile(platform.Path(L"mplayer.pls")), nullptr);
  EXPECT_EQ(Playlist(), "");
}

TEST_F(Playlists, PlayingThePlaylistStartsThePlayerOnItAsItIs) {
  LoadThree();
  const std::string settings = platform.Bytes(SettingsPath());
  form->MenuCommand(kBofang2);
  EXPECT_EQ(platform.startedProcesses, std::vector<std::wstring>{
                                           L"C:\\Player\\mplayer.exe -playlist C:\\Player\\mplayer.pls"});
  EXPECT_EQ(platform.GetFile(platform.Path(L"mplayer.pls")), nullptr);
  EXPECT_EQ(platform.Bytes(SettingsPath()), settings);
}

// The player's last film is forgotten and resuming switched off in every case; the player
// starts only when a favourite is current, with it and every favourite below.
TEST_F(Playlists, PlayingFromTheSelectionOnForgetsTheLastFilmFirst) {
  struct Case {
    int selected;
    std::vector<std::wstring> started;
  } cases[] = {
      {2, {L"C:\\Player\\mplayer.exe  \"D:\\film b.rmvb\" E:\\c.mkv"}},
      {3, {L"C:\\Player\\mplayer.exe  E:\\c.mkv"}},
      {0, {}},
  };
  for (const Case& c : cases) {
    platform = {};
    NewForm();
    LoadThree();
    PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nFilename=C:\\a.avi\r\nTime=100\r\n");
    form->List1.Select(c.selected);
    const std::wstring label2 = form->Label2.Caption();
    form->MenuCommand(kBofang3);
    EXPECT_EQ(platform.Bytes(SettingsPath()),
              "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=0\r\nFilename=\r\nTime=100\r\n");
    EXPECT_EQ(platform.startedProcesses, c.started) << c.selected;
    EXPECT_EQ(form->List1.SelectedIndex(), c.selected);
    EXPECT_EQ(form->CurrentRow, c.selected);
    EXPECT_EQ(form->Label2.Caption(), label2);
  }
  // Into a settings file without them, the two keys go in the order they are written.
  platform = {};
  NewForm();
  LoadThree();
  form->List1.Select(1);
  form->bofang3_Click();
  EXPECT_EQ(platform.Bytes(SettingsPath()), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\nResume=0\r\n");
}

}  // namespace
}  // namespace reelmark
