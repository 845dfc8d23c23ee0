#include <gtest/gtest.h>

#include "fake_platform.h"
#include "persistence/favourites.h"
#include "persistence/ini_document.h"
#include "persistence/module_ini.h"

namespace reelmark {
namespace {

using namespace std::string_literals;
using testing::FakePlatform;

TEST(FavouritesFile, ReadsOptionsAndFavouritesUpToTheFirstGap) {
  const FavouritesFile file = FavouritesFile::Parse(
      "[options]\r\nDelLast= 1\r\nDelLastPath= 0\r\n"
      "[1fav]\r\ntime= 3720\r\nFilename=C:\\a.avi\r\n"
      "[2FAV]\r\nfilename=D:\\\xB5\xE7\xD3\xB0\\b.rmvb\r\n"  // no time; names in any case
      "[4fav]\r\ntime= 1\r\nFilename=C:\\never.avi\r\n");
  EXPECT_TRUE(file.exists);
  EXPECT_EQ(file.options[0], L"1");
  EXPECT_EQ(file.options[1], L"0");
  EXPECT_EQ(file.options[2], L"");
  ASSERT_EQ(file.favourites.size(), 2u);
  EXPECT_EQ(file.favourites[0].path, L"C:\\a.avi");
  EXPECT_EQ(file.favourites[0].shownSeconds, 3725);
  EXPECT_EQ(file.favourites[1].path, L"D:\\电影\\b.rmvb");
  EXPECT_EQ(file.favourites[1].shownSeconds, 5);
}

// Start-up finds the favourites in one pass over the sections; every file must give what
// reading 1fav, 2fav, ... one key at a time through the engine gives.
TEST(FavouritesFile, OnePassReadsWhatKeyByKeyReadsGive) {
  const auto keyByKey = [](const std::string& bytes) {
    const IniDocument doc = IniDocument::FromFile(bytes);
    std::wstring text;
    for (int k = 1; k <= kMaxFavourites; ++k) {
      const std::wstring section = std::to_wstring(k) + L"fav";
      const std::wstring path = ModuleIni::ReadIni(doc, section, L"Filename");
      if (path.empty()) break;
      text += std::to_wstring(ShownSecondsFromStored(ModuleIni::ReadIni(doc, section, L"time"))) + L"=" + path + L"|";
    }
    return text;
  };
  const auto onePass = [](const std::string& bytes) {
    std::wstring text;
    for (const StoredFavourite& f : FavouritesFile::Parse(bytes).favourites) {
      text += std::to_wstring(f.shownSeconds) + L"=" + std::wstring(f.path) + L"|";
    }
    return text;
  };
  const std::string film = "D:\\\xB5\xE7\xD3\xB0\\";  // D:\电影\ in code page 936
  const std::string utf16Mark = "\xFF\xFE";
  const std::string cases[] = {
      "[1fav]\r\ntime= 1\r\nFilename=a\r\n[2fav]\r\ntime= 2\r\nFilename=" + film + "b\r\n",
      // Out of order, in any case, with blanks inside the brackets.
      "[2FAV]\r\nFILENAME=b\r\n[ 1Fav ]\r\nTime=7\r\nfilename=a\r\n[3fav]x\r\nFilename=c\r\n",
      // Only the first section of a name counts, even one without a film.
      "[1fav]\r\ntime=1\r\n[1fav]\r\nFilename=hidden\r\n",
      "[1fav]\r\nFilename=a\r\n[2fav]\r\nFilename=b\r\n[1FAV]\r\nFilename=z\r\n[3fav]\r\nFilename=c\r\n",
      // Names that are no favourite's.
      "[1fav]\r\nFilename=a\r\n[01fav]\r\nFilename=b\r\n[1 fav]\r\nFilename=c\r\n[+2fav]\r\nFilename=d\r\n",
      "[fav]\r\nFilename=a\r\n[0fav]\r\nFilename=b\r\n[1fav]\r\nFilename=c\r\n[2fa]\r\nFilename=d\r\n",
      // The first key wins; comments and lines without '=' are no keys; quotes and blanks.
      "[1fav]\r\n;Filename=x\r\nFilename\r\nFilename=\"  a \"\r\nFilename=b\r\ntime=\t9.5\r\ntime=3\r\n",
      // Empty and blank films end the list, as does a gap.
      "[1fav]\r\nFilename=a\r\n[2fav]\r\nFilename=   \r\n[3fav]\r\nFilename=c\r\n",
      "[1fav]\r\nFilename=a\r\n[3fav]\r\nFilename=c\r\n",
      // Values ending in a lead byte, a NUL inside a value, odd line ends.
      "[1fav]\r\nFilename=a\xB5\r\n[2fav]\nFilename=b\0c\r[3fav]\rFilename=\xB5\xB5\xB5\r\n"s,
      utf16Mark + "[\0" "1\0f\0a\0v\0]\0\n\0F\0i\0l\0e\0n\0a\0m\0e\0=\0\x35\x75\x71\x5F\n\0"s,
      "",
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(onePass(bytes), keyByKey(bytes)) << bytes;
  }
  std::string many;
  for (int k = kMaxFavourites + 1; k >= 1; --k) {
    many.append("[").append(std::to_string(k)).append("fav]\r\nFilename=").append(film).append("\r\n");
  }
  EXPECT_EQ(onePass(many), keyByKey(many));
  EXPECT_EQ(FavouritesFile::Parse(many).favourites.size(), static_cast<size_t>(kMaxFavourites));
}

TEST(FavouritesFile, AnEmptyFilenameEndsTheFavourites) {
  const FavouritesFile file = FavouritesFile::Parse("[1fav]\r\ntime=5\r\nFilename=  \r\n[2fav]\r\nFilename=x\r\n");
  EXPECT_TRUE(file.favourites.empty());
}

TEST(FavouritesFile, AMissingFileHasNoOptionsAndNoFavourites) {
  FakePlatform platform;
  const FavouritesFile file = FavouritesFile::Read(platform, platform.Path(L"kk_fav.ini"));
  EXPECT_FALSE(file.exists);
  EXPECT_TRUE(file.favourites.empty());
}

TEST(FavouritesFile, IsComposedInTheLayoutOfTheProfileWrites) {
  const std::string bytes = ComposeFavouritesFile({0, 1, 2}, {{3720, L"C:\\film\\a.avi"}, {-5, L"D:\\电影\\b.rmvb"}});
  EXPECT_EQ(bytes,
            "[options]\r\nDelLast= 0\r\nDelLastPath= 1\r\nDblExit= 2\r\n"
            "[1fav]\r\ntime= 3720\r\nFilename=C:\\film\\a.avi\r\n"
            "[2fav]\r\ntime=-5\r\nFilename=D:\\\xB5\xE7\xD3\xB0\\b.rmvb\r\n");
}

TEST(FavouritesFile, SavedFilesAreHiddenAndSystemAndReadBackTheSame) {
  FakePlatform platform;
  const std::wstring path = platform.Path(L"kk_fav.ini");
  platform.PutFile(path, "old", kAttributeHidden | kAttributeSystem | kAttributeReadOnly);
  std::vector<ParsedListLine> rows;
  for (int i = 1; i <= 30; ++i) rows.push_back({i * 100 - 50, L"C:\\films\\" + std::to_wstring(i) + L".avi"});
  ASSERT_EQ(SaveFavouritesFile(platform, path, {1, 0, 1}, rows), 0u);
  EXPECT_EQ(platform.GetFile(path)->attributes, kAttributeHidden | kAttributeSystem);
  const FavouritesFile file = FavouritesFile::Read(platform, path);
  ASSERT_EQ(file.favourites.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(file.favourites[i].path, rows[i].path);
    EXPECT_EQ(file.favourites[i].shownSeconds, rows[i].storedSeconds + 5);
  }
  EXPECT_EQ(file.options[0], L"1");
}

// What shut-down writes, start-up reads back: options, times and paths as they were,
// brackets, equals signs and Chinese included.
TEST(FavouritesFile, WhatIsWrittenReadsBackWhole) {
  const std::string written = ComposeFavouritesFile(
      {1, 0, 2}, {{3720, L"C:\\film\\a.avi"}, {-5, L"D:\\\u7535\u5F71\\[b] c.rmvb"}, {0, L"x=y;z"}});
  const auto shown = [](const FavouritesFile& file) {
    std::wstring text = file.options[0] + L"|" + file.options[1] + L"|" + file.options[2];
    for (const StoredFavourite& favourite : file.favourites) text += L"|" + std::to_wstring(favourite.shownSeconds) + L"=" + std::wstring(favourite.path);
    return text;
  };
  EXPECT_EQ(shown(FavouritesFile::Parse(written)),
            L"1|0|2|3725=C:\\film\\a.avi|0=D:\\\u7535\u5F71\\[b] c.rmvb|5=x=y;z");
}

TEST(FavouritesFile, AFailedSaveLeavesTheOldFileWhole) {
  FakePlatform platform;
  const std::wstring path = platform.Path(L"kk_fav.ini");
  const std::string old = "[options]\r\nDelLast= 0\r\n[1fav]\r\ntime= 1\r\nFilename=C:\\keep.avi\r\n";
  platform.PutFile(path, old, kAttributeHidden | kAttributeSystem);
  platform.failWrites = true;
  EXPECT_EQ(SaveFavouritesFile(platform, path, {0, 0, 0}, {}), FakePlatform::kWriteFailure);
  EXPECT_EQ(platform.Bytes(path), old);
}

}  // namespace
}  // namespace reelmark
