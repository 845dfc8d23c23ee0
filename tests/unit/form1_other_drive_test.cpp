// A film that moved to another drive letter: a replay finds it there before it asks, and
// a capture of it gives the favourite the path that works.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form1_fixture.h"
#include "base/text.h"
#include "persistence/favourites.h"
#include "ui/layout.h"

namespace reelmark {
namespace {

using testing::FakePlatform;
using testing::FavouritesBytes;
constexpr auto No = MessageAnswer::No;
constexpr wchar_t kAskRemove[] = L"所选的文件不存在，是否在列表中删除？";
constexpr std::uint32_t Drive(wchar_t letter) { return 1u << (letter - L'A'); }

class OtherDrive : public testing::Form1Test {
 protected:
  std::wstring Row1() const { return form->List1.Row(1); }
  bool Asked(wchar_t drive) const {
    return std::any_of(platform.attributesAsked.begin(), platform.attributesAsked.end(),
                       [drive](const std::wstring& path) { return !path.empty() && path[0] == drive; });
  }
};

// The favourite's film is gone from E:. Found on one other local drive, the row takes
// that path, keeping its number and time, and plays; found on none or on several, or only
// where nobody looks, the question that offers deletion comes as before.
TEST_F(OtherDrive, AReplayLooksForAMissingFilmOnTheOtherLocalDrives) {
  struct Case {
    const char* name;
    std::wstring stored;           // the favourite's path
    std::uint32_t drives;          // C: and the others present
    std::vector<std::wstring> films;  // where the film is
    std::vector<std::pair<wchar_t, DriveKind>> kinds;
    std::vector<wchar_t> notReady;
    std::wstring played;           // the path played, empty when the question came
    wchar_t neverAsked = 0;        // a drive whose files are never looked at
    std::wstring hiddenFilm = {};  // a copy that is hidden, which counts as none
  } cases[] = {
      {"on one other drive", L"E:\\电影\\长夜.mkv", Drive('C') | Drive('F') | Drive('G'), {L"F:\\电影\\长夜.mkv"}, {}, {},
       L"F:\\电影\\长夜.mkv"},
      {"a lower-case letter", L"e:\\电影\\长夜.mkv", Drive('C') | Drive('F'), {L"F:\\电影\\长夜.mkv"}, {}, {},
       L"F:\\电影\\长夜.mkv"},
      {"on a removable and an optical drive: two", L"E:\\电影\\长夜.mkv", Drive('C') | Drive('F') | Drive('H'),
       {L"F:\\电影\\长夜.mkv", L"H:\\电影\\长夜.mkv"}, {{L'F', DriveKind::Removable}, {L'H', DriveKind::Optical}}, {}, L""},
      {"on none", L"E:\\电影\\长夜.mkv", Drive('C') | Drive('F'), {}, {}, {}, L""},
      {"on a drive letter that is not present", L"E:\\电影\\长夜.mkv", Drive('C'), {L"F:\\电影\\长夜.mkv"}, {}, {}, L""},
      {"on a network drive: not looked at", L"E:\\电影\\长夜.mkv", Drive('C') | Drive('N'), {L"N:\\电影\\长夜.mkv"},
       {{L'N', DriveKind::Network}}, {}, L"", L'N'},
      {"a network drive and a fixed one: the fixed one", L"E:\\电影\\长夜.mkv", Drive('C') | Drive('F') | Drive('N'),
       {L"F:\\电影\\长夜.mkv", L"N:\\电影\\长夜.mkv"}, {{L'N', DriveKind::Network}}, {}, L"F:\\电影\\长夜.mkv", L'N'},
      {"a drive without its disc holds nothing", L"E:\\电影\\长夜.mkv", Drive('C') | Drive('D') | Drive('F'),
       {L"D:\\电影\\长夜.mkv", L"F:\\电影\\长夜.mkv"}, {{L'D', DriveKind::Optical}}, {L'D'}, L"F:\\电影\\长夜.mkv"},
      {"a hidden copy counts as none", L"E:\\电影\\长夜.mkv", Drive('C') | Drive('F') | Drive('G'),
       {L"G:\\电影\\长夜.mkv"}, {}, {}, L"G:\\电影\\长夜.mkv", 0, L"F:\\电影\\长夜.mkv"},
      {"a share's path is not looked for elsewhere", L"\\\\server\\films\\长夜.mkv", Drive('C') | Drive('F'),
       {L"F:\\server\\films\\长夜.mkv"}, {}, {}, L"", L'F'},
      {"nor a relative one", L"films\\长夜.mkv", Drive('C') | Drive('F'), {L"F:films\\长夜.mkv"}, {}, {}, L"", L'F'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    platform.drives = c.drives;
    for (const auto& [letter, kind] : c.kinds) platform.driveKinds[letter] = kind;
    platform.notReady = c.notReady;
    for (const std::wstring& film : c.films) platform.PutFile(film, "film");
    if (!c.hiddenFilm.empty()) platform.PutFile(c.hiddenFilm, "film", kAttributeHidden);
    LoadFavourites({{3595, ToAnsi(c.stored)}, {60, "C:\\f\\b.avi"}});
    form->List1.Select(1);
    platform.attributesAsked.clear();
    if (c.played.empty()) Answer({No});
    form->List1_DblClick();

    if (c.played.empty()) {
      ASSERT_EQ(platform.messages.size(), 1u);
      EXPECT_EQ(platform.messages[0].text, kAskRemove);
      EXPECT_EQ(Row1(), FormatListLine(1, 3600, c.stored));
      EXPECT_TRUE(platform.startedProcesses.empty());
    } else {
      EXPECT_TRUE(platform.messages.empty());
      EXPECT_EQ(Row1(), L"0001--01:00:00--" + c.played);
      EXPECT_EQ(form->List1.SelectedIndex(), 1);
      EXPECT_EQ(form->CurrentRow, 1);
      EXPECT_EQ(platform.Bytes(SettingsPath()),
                "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nTime=3595\r\nFilename=" + ToAnsi(c.played) + "\r\n");
      EXPECT_EQ(platform.startedProcesses.size(), 1u);
      EXPECT_EQ(platform.timers.size(), 1u);  // the new path reaches the recovery file, then kk_fav.ini
    }
    if (c.neverAsked) {
      EXPECT_FALSE(Asked(c.neverAsked));
    }
  }
}

// With play-and-exit the film found elsewhere plays, and the new path is saved at the exit.
TEST_F(OtherDrive, PlayAndExitSavesTheFoundPath) {
  platform.drives = Drive('C') | Drive('F');
  platform.PutFile(L"F:\\电影\\长夜.mkv", "film");
  LoadFavourites({{100, ToAnsi(L"E:\\电影\\长夜.mkv")}});
  form->Check1[2].SetValue(1);
  form->List1.Select(1);
  form->MenuCommand(kBofang1);
  EXPECT_TRUE(platform.destroyed);
  const FavouritesFile saved = FavouritesFile::Read(platform, FavouritesPath());
  ASSERT_EQ(saved.favourites.size(), 1u);
  EXPECT_EQ(saved.favourites[0].path, L"F:\\电影\\长夜.mkv");
  EXPECT_EQ(saved.favourites[0].shownSeconds, 105);
}

// A capture refreshes the favourite of the same name; it takes the captured path when its
// own names no file any more and the captured one does, by every road of a capture.
TEST_F(OtherDrive, ACaptureMendsAFavouriteWhosePathIsGone) {
  constexpr WindowHandle kPlayer = 77;
  const std::wstring old = L"E:\\电影\\长夜.mkv", captured = L"F:\\电影\\长夜.mkv";
  struct Case {
    const char* name;
    bool oldThere, capturedThere;
    bool atStartUp;
    std::wstring kept;
  } cases[] = {
      {"the old path gone, the captured one there", false, true, false, captured},
      {"the old path there", true, true, false, old},
      {"both gone", false, false, false, old},
      {"start-up: the old path gone, the captured one there", false, true, true, captured},
      {"start-up: the old path there", true, true, true, old},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    if (c.oldThere) platform.PutFile(old, "film");
    if (c.capturedThere) platform.PutFile(captured, "film");
    const std::string recorded =
        "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nFilename=" + ToAnsi(captured) + "\r\ntime=200\r\n";
    PutFavourites(FavouritesBytes({{60, "C:\\f\\a.avi"}, {100, ToAnsi(old)}}));
    if (c.atStartUp) {
      PutSettings(recorded);
      // The same film at another time is asked about; where the old path is there, the
      // captured one is another film, offered as new.
      Answer({No});
      form->Form_Load();
      ASSERT_EQ(platform.messages.size(), 1u);
      EXPECT_EQ(platform.messages[0].text.starts_with(L"当前的播放时间是：00:03:25"), c.kept == captured);
      if (c.kept == captured) {
        EXPECT_EQ(form->List1.Row(2), FormatListLine(2, 105, captured));
        EXPECT_EQ(form->CurrentRow, 2);
        EXPECT_EQ(platform.timers.size(), 1u);
      } else {
        EXPECT_EQ(form->List1.Row(2), FormatListLine(2, 105, old));
      }
      continue;
    }
    PutSettings("[Option]\r\nauto_resume=1\r\n");
    form->Form_Load();
    platform.windows = {{kPlayer, L"MPlayer - 长夜.mkv"}};
    platform.onClose[kPlayer] = {{SettingsPath(), recorded}};
    form->Command4_Click();
    EXPECT_EQ(form->List1.Row(2), FormatListLine(2, 205, c.kept));
    EXPECT_EQ(form->List1.Count(), 3);
  }
}

}  // namespace
}  // namespace reelmark
