#include <gtest/gtest.h>

#include <limits>

#include "persistence/favourites.h"

namespace reelmark {
namespace {

TEST(Timestr, FormatsWholeSecondsAsHoursMinutesSeconds) {
  const struct {
    std::int32_t seconds;
    const wchar_t* text;
  } cases[] = {{0, L"00:00:00"},     {5, L"00:00:05"},        {3725, L"01:02:05"},     {86399, L"23:59:59"},
               {360000, L"100:00:00"}, {-5, L"00:00:-5"},    {-3725, L"-1:-2:-5"},    {-36000, L"-10:00:00"},
               {std::numeric_limits<std::int32_t>::max(), L"596523:14:07"},
               {std::numeric_limits<std::int32_t>::min(), L"-596523:-14:-8"}};
  for (const auto& c : cases) EXPECT_EQ(timestr(c.seconds), c.text) << c.seconds;
}

TEST(ListLine, ComposesNumberTimeAndPath) {
  EXPECT_EQ(FormatListLine(3, 3725, L"C:\\film\\a.avi"), L"0003--01:02:05--C:\\film\\a.avi");
  EXPECT_EQ(NumberField(10), L"0010");
  EXPECT_EQ(NumberField(123), L"0123");
  EXPECT_EQ(NumberField(9999), L"9999");
  EXPECT_EQ(FormatListLine(1, 0, L""), L"0001--00:00:00--");
}

TEST(ListLine, ReadsTheFixedColumnsBack) {
  const struct {
    const wchar_t* line;
    std::int32_t stored;
    const wchar_t* path;
  } cases[] = {
      {L"0003--01:02:05--C:\\film\\a.avi", 3720, L"C:\\film\\a.avi"},
      {L"0001--01:00:00--x", 3595, L"x"},
      {L"0001--00:00:00--D:\\电影\\b.rmvb", -5, L"D:\\电影\\b.rmvb"},
      {L"0001--00:00:04--p", -1, L"p"},
      {L"0001--00:01:00--p", 55, L"p"},
      {L"0001--00:00:-5--p", -10, L"p"},
      {L"0001--ab:cd:ef--p", -5, L"p"},   // parts that are no number count as 0
      {L"0005--00:00:10----dash", 5, L"--dash"},
      {L"short", -5, L""},
  };
  for (const auto& c : cases) {
    const ParsedListLine parsed = ParseListLine(c.line);
    EXPECT_EQ(parsed.storedSeconds, c.stored) << c.line;
    EXPECT_EQ(parsed.path, c.path) << c.line;
  }
}

TEST(ListLine, EveryTimeAndNumberComesBackWithItsPathWhole) {
  const std::wstring paths[] = {L"C:\\a.avi", L"-x", L"--", L"D:\\电影\\10:00:00--a.avi", L""};
  const std::int32_t stored[] = {0, 3720, -5, -6, -3730, -40000, 359994, 359995, 3600000, 123456789,
                                 std::numeric_limits<std::int32_t>::max() - 5,
                                 std::numeric_limits<std::int32_t>::min()};
  for (const std::wstring& path : paths) {
    for (const std::int32_t s : stored) {
      for (const int number : {1, 42, 9999}) {
        const std::int64_t shown = std::int64_t{s} + kShownOffsetSeconds;
        const std::wstring line = FormatListLine(number, static_cast<std::int32_t>(shown), path);
        const ParsedListLine parsed = ParseListLine(line);
        EXPECT_EQ(parsed.path, path) << line;
        EXPECT_EQ(parsed.storedSeconds, s) << line;
      }
    }
  }
}

TEST(StoredNumber, NonNegativeNumbersCarryOneLeadingBlank) {
  EXPECT_EQ(StoredNumber(0), L" 0");
  EXPECT_EQ(StoredNumber(3720), L" 3720");
  EXPECT_EQ(StoredNumber(-5), L"-5");
}

TEST(ShownSeconds, StoredTimePlusFiveRoundedHalfToEven) {
  EXPECT_EQ(ShownSecondsFromStored(L"120"), 125);
  EXPECT_EQ(ShownSecondsFromStored(L"119.5"), 124);
  EXPECT_EQ(ShownSecondsFromStored(L"120.5"), 126);
  EXPECT_EQ(ShownSecondsFromStored(L""), 5);
  EXPECT_EQ(ShownSecondsFromStored(L"garbage"), 5);
  EXPECT_EQ(ShownSecondsFromStored(L"1e30"), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace reelmark
