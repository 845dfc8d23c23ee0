// Which INI files are Unicode, as the system's profile functions decide it, and that
// every write keeps a file in the encoding it was found in.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "persistence/favourites.h"
#include "persistence/ini_encoding.h"
#include "persistence/module_ini.h"

namespace reelmark {
namespace {

using ModuleIni::ReadIni;
using ModuleIni::WriteIni;

// File bytes built here, independently of the conversions under test.
std::string Utf16(std::u16string_view text, bool bigEndian = false) {
  std::string bytes;
  for (char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kFilmGbk = "\xB5\xE7\xD3\xB0";  // 电影 in code page 936

struct ReadCase {
  const char* name;
  std::string bytes;
  std::wstring section, key, expected;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniEncodingReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniEncodingReadTest, ReadsAsTheSystemReads) {
  const ReadCase& c = GetParam();
  testing::FakePlatform platform;
  const std::wstring file = platform.Path(L"kk.ini");
  platform.PutFile(file, c.bytes);
  EXPECT_EQ(ReadIni(platform, file, c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, IniEncodingReadTest,
    ::testing::Values(
        // The mark opens the first line, which is still a section header.
        ReadCase{"Utf16LeChinese", Utf16(u"\uFEFF[Status]\r\nFilename=D:\\电影\\a.avi\r\n"), L"Status", L"Filename",
                 L"D:\\电影\\a.avi"},
        ReadCase{"Utf16LeNamesIgnoreCase", Utf16(u"\uFEFF; note\r\n[收藏]\nTime= 5 \n"), L"收藏", L"time", L"5"},
        ReadCase{"Utf16LeOutsideCodePage", Utf16(u"\uFEFF[s]\r\nk=한국 🎬\r\n"), L"s", L"k", L"한국 🎬"},
        ReadCase{"Utf16LeMarkOnly", Utf16(u"\uFEFF"), L"s", L"k", L""},
        // A UTF-8 mark is bytes of the first line in the code page: the section there is lost.
        ReadCase{"Utf8MarkHidesFirstSection", kUtf8Mark + "[s]\r\nk=1\r\n", L"s", L"k", L""},
        ReadCase{"Utf8MarkLaterSectionsAnsi", kUtf8Mark + "[s]\r\nk=1\r\n[t]\r\nk=" + kFilmGbk + "\r\n", L"t", L"k",
                 L"电影"},
        ReadCase{"Utf16BeIsAnsi", Utf16(u"\uFEFF[s]\r\nk=1\r\n", true), L"s", L"k", L""}));

struct WriteCase {
  const char* name;
  std::string before;
  std::wstring section, key, value;
  std::string after;
};
void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class IniEncodingWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniEncodingWriteTest, KeepsTheEncodingFound) {
  const WriteCase& c = GetParam();
  testing::FakePlatform platform;
  const std::wstring file = platform.Path(L"kk.ini");
  platform.PutFile(file, c.before);
  EXPECT_EQ(WriteIni(platform, file, c.section, c.key, c.value), L"1");
  EXPECT_EQ(platform.Bytes(file), c.after);
  EXPECT_EQ(ReadIni(platform, file, c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, IniEncodingWriteTest,
    ::testing::Values(
        // The mark counts as an unterminated first line: a line end comes before the section.
        WriteCase{"Utf16LeMarkOnly", Utf16(u"\uFEFF"), L"s", L"k", L"v", Utf16(u"\uFEFF\r\n[s]\r\nk=v\r\n")},
        // Edited in place, other lines untouched, even a lone surrogate.
        WriteCase{"Utf16LeStaysUnicode", Utf16(u"\uFEFF[Status]\nFilename=a\n;\xD800 x\n[Option]\n"), L"status",
                  L"FILENAME", L"D:\\电影\\한.avi",
                  Utf16(u"\uFEFF[Status]\nFilename=D:\\电影\\한.avi\n;\xD800 x\n[Option]\n")},
        WriteCase{"Utf16LeNewKey", Utf16(u"\uFEFF[Option]\r\n[Status]\r\nresume=0\r\n"), L"Option", L"auto_resume",
                  L"1", Utf16(u"\uFEFF[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=0\r\n")},
        WriteCase{"Utf8MarkStaysAnsi", kUtf8Mark + "[s]\r\nk=1\r\n", L"s", L"k", L"电影",
                  kUtf8Mark + "[s]\r\nk=1\r\n[s]\r\nk=" + kFilmGbk + "\r\n"},
        WriteCase{"Utf16BeStaysAnsi", Utf16(u"\uFEFF[s]\r\n", true), L"s", L"k", L"v",
                  Utf16(u"\uFEFF[s]\r\n", true) + "[s]\r\nk=v\r\n"}));

// Many values converted together come back as each converted alone: line ends, lead bytes
// at the end and bad bytes included.
TEST(IniTexts, ManyConvertAsEachAlone) {
  const std::string values[] = {"",        "C:\\a.avi", kFilmGbk,   "x" + kFilmGbk + "y", "\xB5",  "a\xB5",
                                "\xB5\xE7\xB5", "two\nlines", "\x81\x30", " 12 ",        "\xFF\n", "\xE7\x94\xB5"};
  const std::vector<std::string_view> views(std::begin(values), std::end(values));
  for (const IniEncoding encoding : {IniEncoding::Ansi, IniEncoding::Utf16Le}) {
    const WideTexts texts = FromIniTexts(encoding, views);
    ASSERT_EQ(texts.size(), views.size());
    for (size_t i = 0; i < views.size(); ++i) EXPECT_EQ(texts[i], FromIniText(encoding, views[i])) << i;
  }
}

TEST(FavouritesFileEncoding, APathOutsideTheCodePageMakesTheFileUnicodeAndSurvives) {
  testing::FakePlatform platform;
  const std::wstring path = platform.Path(L"kk_fav.ini");
  const std::vector<ParsedListLine> rows = {{3720, L"D:\\电影\\a.avi"}, {-5, L"D:\\영화\\🎬 b.mkv"}};
  ASSERT_EQ(SaveFavouritesFile(platform, path, {1, 0, 2}, rows), 0u);
  EXPECT_EQ(platform.Bytes(path),
            Utf16(u"\uFEFF[options]\r\nDelLast= 1\r\nDelLastPath= 0\r\nDblExit= 2\r\n"
                  u"[1fav]\r\ntime= 3720\r\nFilename=D:\\电影\\a.avi\r\n"
                  u"[2fav]\r\ntime=-5\r\nFilename=D:\\영화\\🎬 b.mkv\r\n"));

  const FavouritesFile file = FavouritesFile::Read(platform, path);
  ASSERT_EQ(file.favourites.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(file.favourites[i].path, rows[i].path);
  EXPECT_EQ(file.favourites[1].shownSeconds, 0);
  EXPECT_EQ(file.options[2], L"2");
  // An option written into it on its own keeps it Unicode.
  WriteIni(platform, path, L"options", L"DelLast", L" 0");
  EXPECT_EQ(FavouritesFile::Read(platform, path).favourites[1].path, rows[1].path);
  EXPECT_EQ(platform.Bytes(path).substr(0, 2), "\xFF\xFE");
}

}  // namespace
}  // namespace reelmark
