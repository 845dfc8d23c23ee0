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
      {"the floppy letters are never looked at", L"E:\\电影\\长夜.mkv", Drive('A') | Drive('B') | Drive('C'),
       {L"B:\\电影\\长夜.mkv"}, {{L'B', DriveKind::Removable}}, {}, L"", L'B'},
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

// A capture refreshes the favourite that holds the captured path itself, else the first of
// the same name; that one takes the captured path only when it is the same path on
// another letter, its own naming no file, and only where that is known without waiting.
TEST_F(OtherDrive, ACaptureGivesAFavouriteOnlyItsOwnPathOnAnotherLetter) {
  constexpr WindowHandle kPlayer = 77;
  const std::wstring captured = L"F:\\电影\\长夜.mkv";
  struct Case {
    const char* name;
    std::vector<std::wstring> favourites;  // rows 2 on, each at 100 s (shown 105)
    std::vector<std::wstring> films;       // the files there
    std::vector<std::pair<wchar_t, DriveKind>> kinds;
    std::vector<std::wstring> after;       // rows 2 on: the path, and "*" first when refreshed
    wchar_t neverAsked = 0;
  } cases[] = {
      {"its letter gone: it takes the captured path", {L"E:\\电影\\长夜.mkv"}, {captured}, {}, {L"*" + captured}},
      {"the same path but for the case of a folder", {L"E:\\电影\\Films\\长夜.mkv"}, {L"F:\\电影\\films\\长夜.mkv"}, {},
       {L"*F:\\电影\\films\\长夜.mkv"}},
      {"its letter there, its file gone", {L"G:\\电影\\长夜.mkv"}, {captured}, {}, {L"*" + captured}},
      {"its file there: another film", {L"G:\\电影\\长夜.mkv"}, {captured, L"G:\\电影\\长夜.mkv"}, {},
       {L"*G:\\电影\\长夜.mkv"}},
      {"another folder: the time only", {L"E:\\其他\\长夜.mkv"}, {captured}, {}, {L"*E:\\其他\\长夜.mkv"}},
      {"the captured path names no file", {L"E:\\电影\\长夜.mkv"}, {}, {}, {L"*E:\\电影\\长夜.mkv"}},
      {"one holds the captured path: that one, and no other", {L"E:\\电影\\长夜.mkv", captured}, {captured}, {},
       {L"E:\\电影\\长夜.mkv", L"*" + captured}},
      {"its letter a network drive: never looked at", {L"G:\\电影\\长夜.mkv"}, {captured},
       {{L'G', DriveKind::Network}}, {L"*G:\\电影\\长夜.mkv"}, L'G'},
      {"the captured one on a network drive", {L"E:\\电影\\长夜.mkv"}, {captured}, {{L'F', DriveKind::Network}},
       {L"*E:\\电影\\长夜.mkv"}, L'F'},
      {"on a floppy letter: never looked at", {L"A:\\电影\\长夜.mkv"}, {captured}, {}, {L"*A:\\电影\\长夜.mkv"}, L'A'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    platform.drives = Drive('A') | Drive('C') | Drive('F') | Drive('G');
    for (const auto& [letter, kind] : c.kinds) platform.driveKinds[letter] = kind;
    std::vector<std::pair<int, std::string>> favourites = {{60, "C:\\f\\a.avi"}};
    for (const std::wstring& path : c.favourites) favourites.push_back({100, ToAnsi(path)});
    LoadFavourites(favourites);
    for (const std::wstring& film : c.films) platform.PutFile(film, "film");
    const std::wstring playing = c.films.empty() ? captured : c.films[0];
    platform.windows = {{kPlayer, L"MPlayer - 长夜.mkv"}};
    platform.onClose[kPlayer] = {
        {SettingsPath(), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=" + ToAnsi(playing) + "\r\ntime=200\r\n"}};
    platform.attributesAsked.clear();
    form->Command4_Click();
    std::vector<std::wstring> expected = {Rows()[0], FormatListLine(1, 65, L"C:\\f\\a.avi")};
    for (const std::wstring& row : c.after) {
      const bool refreshed = row[0] == L'*';
      expected.push_back(FormatListLine(static_cast<int>(expected.size()), refreshed ? 205 : 105,
                                        refreshed ? row.substr(1) : row));
    }
    EXPECT_EQ(Rows(), expected);
    if (c.neverAsked) {
      EXPECT_FALSE(Asked(c.neverAsked));
    }
  }
}

// Start-up's capture takes the same rule: the first missing favourite that is the
// captured path on another letter takes it, unless one holds the captured path itself.
TEST_F(OtherDrive, StartUpGivesTheCapturedPathToOneFavouriteAtMost) {
  const std::wstring captured = L"F:\\电影\\长夜.mkv";
  struct Case {
    const char* name;
    std::vector<std::wstring> favourites, after;  // rows 1 on, all at 100 s
    int currentRow;
  } cases[] = {
      {"moved: it takes the path", {L"E:\\电影\\长夜.mkv"}, {captured}, 1},
      {"two moved: the first", {L"E:\\电影\\长夜.mkv", L"G:\\电影\\长夜.mkv"}, {captured, L"G:\\电影\\长夜.mkv"}, 1},
      {"one holds it: no other takes it", {L"E:\\电影\\长夜.mkv", captured}, {L"E:\\电影\\长夜.mkv", captured}, 2},
      {"another folder: no match", {L"E:\\其他\\长夜.mkv"}, {L"E:\\其他\\长夜.mkv"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    platform.drives = Drive('C') | Drive('F') | Drive('G');
    platform.PutFile(captured, "film");
    std::vector<std::pair<int, std::string>> favourites;
    for (const std::wstring& path : c.favourites) favourites.push_back({100, ToAnsi(path)});
    PutFavourites(FavouritesBytes(favourites));
    PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=" + ToAnsi(captured) + "\r\ntime=100\r\n");
    Answer({No});  // a film not listed is offered; the times agree
    form->Form_Load();
    std::vector<std::wstring> expected = {Rows()[0]};
    for (const std::wstring& path : c.after) expected.push_back(FormatListLine(static_cast<int>(expected.size()), 105, path));
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(form->CurrentRow, c.currentRow);
    EXPECT_EQ(platform.messages.size(), c.currentRow == 0 ? 1u : 0u);
  }
}

}  // namespace
}  // namespace reelmark
