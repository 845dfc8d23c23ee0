#include <gtest/gtest.h>

#include "fake_platform.h"
#include "persistence/favourites.h"

namespace reelmark {
namespace {

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
  EXPECT_EQ(file.favourites[0].timeText, L"3720");
  EXPECT_EQ(file.favourites[1].path, L"D:\\电影\\b.rmvb");
  EXPECT_EQ(file.favourites[1].timeText, L"");
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
    EXPECT_EQ(ShownSecondsFromStored(file.favourites[i].timeText), rows[i].storedSeconds + 5);
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
    for (const StoredFavourite& favourite : file.favourites) text += L"|" + favourite.timeText + L"=" + favourite.path;
    return text;
  };
  EXPECT_EQ(shown(FavouritesFile::Parse(written)),
            L"1|0|2|3720=C:\\film\\a.avi|-5=D:\\\u7535\u5F71\\[b] c.rmvb|0=x=y;z");
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
