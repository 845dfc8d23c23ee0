#include <gtest/gtest.h>

#include "base/text.h"

namespace reelmark {
namespace {

TEST(AnsiText, ChineseTextRoundTripsThroughCodePage936) {
  const std::wstring path = L"D:\\电影\\示例 影片.rmvb";
  const std::string bytes = ToAnsi(path);
  EXPECT_EQ(bytes, "D:\\\xB5\xE7\xD3\xB0\\\xCA\xBE\xC0\xFD \xD3\xB0\xC6\xAC.rmvb");
  EXPECT_EQ(FromAnsi(bytes), path);
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(ToAnsi(L"a\u0E01b"), "a?b");  // a Thai letter has no place in code page 936
}

TEST(AnsiText, ExactOnlyWhenTheCodePageHoldsEveryCharacter) {
  EXPECT_EQ(ToAnsiExact(L"D:\\电影 a?.avi"), "D:\\\xB5\xE7\xD3\xB0 a?.avi");
  for (const wchar_t* text : {L"a\u0E01b", L"한", L"À", L"🎬", L"电影\u00C0"}) {  // À: no look-alike 'A' either
    EXPECT_EQ(ToAnsiExact(text), std::nullopt) << ToAnsi(text);
  }
}

TEST(AnsiText, BadBytesNeverStopTheConversion) {
  // A lead byte at the end, a lead byte followed by a byte that cannot follow it.
  EXPECT_EQ(FromAnsi(std::string("ok\x81", 3)).substr(0, 2), L"ok");
  EXPECT_EQ(FromAnsi(std::string("\x81\x7F" "z", 3)).back(), L'z');
  EXPECT_EQ(FromAnsi(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
}

TEST(AnsiText, LeadBytesOfCodePage936) {
  EXPECT_TRUE(IsAnsiLeadByte(0x81));
  EXPECT_TRUE(IsAnsiLeadByte(0xFE));
  EXPECT_FALSE(IsAnsiLeadByte(0x80));
  EXPECT_FALSE(IsAnsiLeadByte(0xFF));
  EXPECT_FALSE(IsAnsiLeadByte('['));
}

}  // namespace
}  // namespace reelmark
