#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "base/numbers.h"
#include "base/path.h"

namespace reelmark {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText) {
  const struct {
    const wchar_t* text;
    double expected;
  } cases[] = {
      {L"", 0},          {L"abc", 0},         {L"  12  ", 12},      {L"\t7", 7},        {L"1abc", 1},
      {L"-1", -1},       {L"+3", 3},          {L"119.5", 119.5},    {L".5", 0.5},       {L"1.", 1},
      {L"-", 0},         {L".", 0},           {L"1e3", 1000},       {L"1e", 1},         {L"2E-1x", 0.2},
      {L"3720 s", 3720}, {L"0x10", 0},        {L"12:30", 12},       {L"- 5", 0},
      // Whole numbers of every length, read without the library as long as that is exact.
      {L"007", 7},       {L"-0", 0},          {L"+12e1", 120},      {L"12.", 12},
      {L"999999999999999", 999999999999999},   {L"1234567890123456789", 1234567890123456789.0},
      {L"99999999999999999999", 1e20},         {L"-18446744073709551617", -18446744073709551617.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << "text: " << c.text;
}

TEST(LeadingNumber, ClampsValuesBeyondTheRangeOfDouble) {
  // Too large is clamped, too small is 0, however the number is spelt.
  constexpr double kMax = std::numeric_limits<double>::max();
  const std::wstring zeros(400, L'0');
  const struct {
    std::wstring text;
    double expected;
  } cases[] = {
      {L"1e999", kMax},          {L"-1e999", -kMax},          {L"1e-999", 0},
      {L"-1e-999", 0},           {std::wstring(5000, L'9'), kMax},
      {L"0." + zeros + L"1", 0}, {L"-0." + zeros + L"1x", 0}, {L"0." + zeros + L"1e+5", 0},
      {L"1" + zeros + L"e-5", kMax}, {L"1" + zeros, kMax},    {L"0." + zeros + L"1e399", 0.01},
      {L"0." + zeros + L"e99999", 0}, {L"1e99999999999999999999999", kMax}, {L"1e-99999999999999999999999", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.expected) << "text: " << c.text.substr(0, 40);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    std::int32_t expected;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {0.4, 0}, {0.6, 1},
               {124.5, 124}, {125.5, 126}, {-5.0, -5}, {2147483646.5, 2147483646},
               {3725.0, 3725}, {-2147483647.0, -2147483647}, {2147483646.0, 2147483646}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.expected) << "value: " << c.value;
}

TEST(RoundHalfEven, ClampsToTheThirtyTwoBitRange) {
  EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundHalfEven(2147483647.5), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(ClampToInt32(std::int64_t{1} << 40), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ClampToInt32(-(std::int64_t{1} << 40)), std::numeric_limits<std::int32_t>::min());
}

TEST(WholeNumber, ReadsASwitchAsThePlayerSettingsHoldIt) {
  for (const wchar_t* on : {L"1", L"2", L"-1", L"1abc", L"0.6", L"1.5"}) EXPECT_NE(WholeNumber(on), 0) << on;
  for (const wchar_t* off : {L"0", L"", L"abc", L"0.4", L"0.5", L"-0.5"}) EXPECT_EQ(WholeNumber(off), 0) << off;
  EXPECT_EQ(WholeNumber(L"0." + std::wstring(400, L'0') + L"1"), 0);  // below the range of double
}

TEST(PathHelpers, FileNameAndFixedPositions) {
  EXPECT_EQ(FileNameOf(L"C:\\film\\a.avi"), L"a.avi");
  EXPECT_EQ(FileNameOf(L"a.avi"), L"a.avi");
  EXPECT_EQ(FileNameOf(L"C:\\film\\"), L"");
  EXPECT_EQ(FromPosition(L"abcdef", 3), L"cdef");
  EXPECT_EQ(FromPosition(L"abc", 17), L"");
  EXPECT_EQ(Mid(L"0001--01:02:05--x", 7, 2), L"01");
  EXPECT_EQ(Mid(L"ab", 2, 5), L"b");
  EXPECT_EQ(TrimSpaces(L"  x y  "), L"x y");
  EXPECT_EQ(TrimSpaces(L"\tx "), L"\tx");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_TRUE(EqualsIgnoringAsciiCase(L"MPlayer - ", L"mplayer - "));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(L"MPlayer-", L"MPlayer -"));
}

}  // namespace
}  // namespace reelmark

namespace reelmark {
namespace {

TEST(DecimalText, WritesEveryWholeNumber) {
  EXPECT_EQ(DecimalText(0), L"0");
  EXPECT_EQ(DecimalText(3720), L"3720");
  EXPECT_EQ(DecimalText(-5), L"-5");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");
  EXPECT_EQ(DecimalText(std::numeric_limits<std::int64_t>::max()), L"9223372036854775807");
  // Either side of the 32 bits that most numbers are written in.
  EXPECT_EQ(DecimalText(4294967295LL), L"4294967295");
  EXPECT_EQ(DecimalText(4294967296LL), L"4294967296");
  EXPECT_EQ(DecimalText(-4294967296LL), L"-4294967296");
  EXPECT_EQ(DecimalText(10000000000LL), L"10000000000");
}

}  // namespace
}  // namespace reelmark
