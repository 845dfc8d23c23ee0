#include "persistence/ini_document.h"
#include "persistence/section_index.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace reelmark {
namespace {

using namespace std::string_literals;

// GBK characters whose trail byte is one of the bytes the format gives a meaning to.
const std::string kLai = "\xB0\x5D";    // 癩: trail ']'
const std::string kLai2 = "\xBB\x5B";   // 籟: trail '['
const std::string kLong = "\xBB\x5C";   // 籠: trail '\'
const std::string kDou = "\xB8\x5D";    // 竇: trail ']'
const std::string kFilm = "\xB5\xE7\xD3\xB0";  // 电影

struct ReadCase {
  const char* name;
  std::string bytes;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, FindsWhatThePlatformFinds) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(IniDocument(c.bytes).Get(c.section, c.key), c.expected);
}

const std::nullopt_t kAbsent = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadTest,
    ::testing::Values(
        ReadCase{"Crlf", "[s]\r\nk=v\r\n", "s", "k", "v"},
        ReadCase{"CrOnly", "[s]\rk=v\ra=b", "s", "a", "b"},
        ReadCase{"LfOnly", "[s]\nk=v\na=b\n", "s", "a", "b"},
        ReadCase{"MixedEnds", "[s]\n\rk=1\r\r\nj=2", "s", "j", "2"},
        ReadCase{"LastLineUnterminated", "[s]\r\nk=last", "s", "k", "last"},
        ReadCase{"BlanksAroundNamesAndValue", "[ \ts\v ]\r\n \t k \v= \t v w \t\r\n", "s", "k", "v w"},
        ReadCase{"SpaceInsideKeyMatters", "[s]\r\nmy key=1\r\n", "s", "mykey", kAbsent},
        ReadCase{"ParametersLoseSpaces", "[s]\r\nk=1\r\n", "  s ", " k  ", "1"},
        ReadCase{"TabInSectionParameterFails", "[s]\r\nk=1\r\n", "s\t", "k", kAbsent},
        ReadCase{"TabInKeyParameterFails", "[s]\r\nk=1\r\n", "s", "\tk", kAbsent},
        ReadCase{"NulEndsParameter", "[s]\r\nk=1\r\n", "s\0junk"s, "k", "1"},
        ReadCase{"ValueAfterFirstEquals", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        ReadCase{"NoInlineComments", "[s]\r\nk=v ;x #y\r\n", "s", "k", "v ;x #y"},
        ReadCase{"CommentIsNotAKey", "[s]\r\n;k=v\r\n", "s", ";k", kAbsent},
        ReadCase{"IndentedComment", "[s]\r\n \t;k=v\r\nk=w\r\n", "s", "k", "w"},
        ReadCase{"HashIsOrdinary", "[s]\r\n#k=v\r\n", "s", "#k", "v"},
        ReadCase{"LineWithoutEqualsIsNoKey", "[s]\r\nname3\r\n", "s", "name3", kAbsent},
        ReadCase{"EmptyValueIsPresent", "[s]\r\nk=\r\n", "s", "k", ""},
        ReadCase{"EmptyKey", "[s]\r\n=v\r\n", "s", "", "v"},
        ReadCase{"NoEmptyKey", "[s]\r\nk=v\r\n", "s", "", kAbsent},
        ReadCase{"QuotesKeepBlanks", "[s]\r\nk=  \"  v  \"  \r\n", "s", "k", "  v  "},
        ReadCase{"OnlyOuterPairRemoved", "[s]\r\nk='\"v\"'\r\n", "s", "k", "\"v\""},
        ReadCase{"MismatchedQuotesStay", "[s]\r\nk=\"v'\r\n", "s", "k", "\"v'"},
        ReadCase{"LoneQuoteStays", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        ReadCase{"EmptyQuotes", "[s]\r\nk=''\r\n", "s", "k", ""},
        ReadCase{"InnerQuoteKept", "[s]\r\nk=\"a\"b\"\r\n", "s", "k", "a\"b"},
        ReadCase{"SectionEndsAtFirstBracket", "[a]b]\r\nk=v\r\n", "s", "k", kAbsent},
        ReadCase{"SectionNamedBeforeFirstBracket", "[a]b]\r\nk=v\r\n", "a", "k", "v"},
        ReadCase{"RestOfHeaderIgnored", "[s]k=v\r\nk=w\r\n", "s", "k", "w"},
        ReadCase{"HeaderWithoutBracket", "[ s \r\nk=v\r\n", "s", "k", "v"},
        ReadCase{"IndentedHeader", " \t[s]\r\nk=v\r\n", "s", "k", "v"},
        ReadCase{"BracketNotFirstIsNoHeader", "[t]\r\nx[s]\r\nk=v\r\n", "s", "k", kAbsent},
        ReadCase{"KeysBeforeFirstSectionUnreadable", "k=v\r\n[s]\r\n", "", "k", kAbsent},
        ReadCase{"EmptySectionName", "k=v\r\n[]\r\nk=w\r\n", "", "k", "w"},
        ReadCase{"FirstSectionOnly", "[s]\r\n[s]\r\nk=v\r\n", "s", "k", kAbsent},
        ReadCase{"FirstSectionOnlyAnyCase", "[s]\r\nk=1\r\n[t]\r\n[S]\r\nk=2\r\nj=3\r\n", "s", "j", kAbsent},
        ReadCase{"FirstKeyWins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
        ReadCase{"AsciiCaseIgnored", "[SeC]\r\nKeY=V\r\n", "sEc", "kEy", "V"},
        ReadCase{"NulEndsValue", "[s]\r\nk=ab\0cd\r\nj=2\r\n"s, "s", "k", "ab"},
        ReadCase{"LinesAfterNulParse", "[s]\r\nk=ab\0cd\r\nj=2\r\n"s, "s", "j", "2"},
        ReadCase{"TrailingNulHarmless", "[s]\r\nk=v\r\n\0"s, "s", "k", "v"},
        // Double-byte names: a trail byte is never ']', '[' or '\', and never folded.
        ReadCase{"TrailBracketInSection", "[" + kLai + "]\r\nk=v\r\n", kLai, "k", "v"},
        ReadCase{"TrailBracketSectionUnclosed", "[" + kDou + kLai + "\r\nk=v", kDou + kLai, "k", "v"},
        ReadCase{"TrailOpenBracketSection", "[" + kLai2 + kLong + "]\r\n" + kLong + "=" + kDou + "\r\n",
                 kLai2 + kLong, kLong, kDou},
        ReadCase{"TrailBracketKeyAndValue", "[" + kFilm + "]\r\n" + kDou + "=C:\\" + kFilm + "\\" + kLai + ".avi\r\n",
                 kFilm, kDou, "C:\\" + kFilm + "\\" + kLai + ".avi"},
        ReadCase{"TrailLetterNotFolded", "[s]\r\n\xB0\x41=1\r\n", "s", "\xB0\x61", kAbsent},
        ReadCase{"TrailLetterExact", "[s]\r\n\xB0\x61=1\r\n\xB0\x41=2\r\n", "s", "\xB0\x41", "2"}),
    [](const ::testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.name); });

TEST(IniRead, LongValuesAreReadWhole) {
  for (size_t length : {253u, 254u, 300u, 5000u, 70000u}) {
    std::string value;
    for (size_t i = 0; i < length; ++i) value.push_back(static_cast<char>('a' + i % 26));
    EXPECT_EQ(IniDocument("[s]\r\nk=" + value + "\r\n").Get("s", "k"), value) << length;
  }
}

TEST(IniRead, ManySectionsAreEachFound) {
  std::string bytes;
  for (int i = 0; i < 10000; ++i) {
    const std::string n = std::to_string(i);
    bytes.append("[").append(n).append("fav]\r\ntime= ").append(n).append("\r\nFilename=f").append(n).append("\r\n");
  }
  bytes += "[7000FAV]\r\nFilename=later\r\n";
  IniDocument doc(bytes);
  const auto allFound = [&doc] {
    for (int i = 0; i < 10000; ++i) {
      const std::string section = std::to_string(i) + "FAV";
      if (doc.Get(section, "Time") != std::to_string(i)) return i;
      if (doc.Get(section, "filename") != std::string("f").append(std::to_string(i))) return i;
    }
    return -1;
  };
  EXPECT_EQ(allFound(), -1);
  EXPECT_EQ(doc.Get("10000fav", "time"), std::nullopt);
  // An edit parses the text again from its line on: the sections after it leave the index
  // and come back, the first of each name still the one found.
  ASSERT_TRUE(doc.Set("5000fav", "new", "1"));
  EXPECT_EQ(allFound(), -1);
  EXPECT_EQ(doc.Get("5000fav", "new"), "1");
}

// The index of sections by name: removing any one section, wherever its search began and
// across the end of the table, leaves every other one found.
TEST(SectionIndex, RemovingOneKeepsTheOthersFound) {
  // Hashes of sections 0, 1, ...; the table has 16 slots at first.
  const std::vector<std::vector<size_t>> cases = {{15, 0, 15, 31, 1, 14, 3, 0}, {15, 0, 15, 31}};
  for (const std::vector<size_t>& hashes : cases) {
    for (size_t removed = 0; removed < hashes.size(); ++removed) {
      SectionIndex index;
      for (size_t s = 0; s < hashes.size(); ++s) index.Add(hashes[s], s);
      index.Remove(hashes[removed], removed);
      for (size_t s = 0; s < hashes.size(); ++s) {
        const auto found = index.Find(hashes[s], [s](size_t section) { return section == s; });
        EXPECT_EQ(found, s == removed ? std::nullopt : std::optional<size_t>(s)) << "removed " << removed;
      }
    }
  }
}

struct WriteCase {
  const char* name;
  std::string before;
  std::string section, key, value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyTheLineConcerned) {
  const WriteCase& c = GetParam();
  IniDocument doc(c.before);
  EXPECT_EQ(doc.Set(c.section, c.key, c.value), c.after != c.before);
  EXPECT_EQ(doc.Text(), c.after);
  // What was written reads back, from the edited document and from the bytes.
  EXPECT_EQ(IniDocument(doc.Text()).Get(c.section, c.key), doc.Get(c.section, c.key));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, IniWriteTest,
    ::testing::Values(
        WriteCase{"ReplaceInPlace", "; c\r\n[a]\r\n  k1 = v1  \r\nk2=v2\r\n\r\n[b]\r\nx = 1\r\n", "a", "k1", "new",
                  "; c\r\n[a]\r\nk1=new\r\nk2=v2\r\n\r\n[b]\r\nx = 1\r\n"},
        WriteCase{"ReplaceKeepsFileSpelling", "[Sec]\r\nTestKey=TestValue\r\n", "SEC", "TESTKEY", "TestValue2",
                  "[Sec]\r\nTestKey=TestValue2\r\n"},
        WriteCase{"ReplaceUnterminatedLastLine", "[s]\r\nk=1", "s", "k", "2", "[s]\r\nk=2\r\n"},
        WriteCase{"ReplaceKeepsLf", "[s]\nk=1\nj=2\n", "s", "k", "3", "[s]\nk=3\nj=2\n"},
        WriteCase{"ReplaceKeepsCr", "[s]\rk=1\rj=2", "s", "k", "3", "[s]\rk=3\rj=2"},
        WriteCase{"ReplaceFirstOfDuplicates", "[s]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\n", "s", "K", "9",
                  "[s]\r\nk=9\r\nk=2\r\n[S]\r\nk=3\r\n"},
        WriteCase{"EmptyValueKeepsKey", "[s]\r\nk=1\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
        WriteCase{"SameValueUnchanged", "[s]\r\nk = v \r\n", "s", "k", "v", "[s]\r\nk = v \r\n"},
        WriteCase{"SameBytesUnchanged", "[s]\r\nk= v\r\n", "s", "k", " v", "[s]\r\nk= v\r\n"},
        WriteCase{"ValueVerbatim", "", "s", "k", " \t\"v\" ", "[s]\r\nk= \t\"v\" \r\n"},
        WriteCase{"NewKeyBeforeTrailingComments", "[a]\r\nk=1\r\n;c\r\n\r\n[b]\r\n", "a", "n", "2",
                  "[a]\r\nk=1\r\nn=2\r\n;c\r\n\r\n[b]\r\n"},
        WriteCase{"NewKeyAfterHeaderOfKeylessSection", "[a]\r\n;c\r\n[b]\r\nx=1\r\n", "a", "n", "2",
                  "[a]\r\nn=2\r\n;c\r\n[b]\r\nx=1\r\n"},
        WriteCase{"NewKeyAfterLineWithoutEquals", "[a]\r\nk=1\r\njunk\r\n;c\r\n", "a", "n", "2",
                  "[a]\r\nk=1\r\njunk\r\nn=2\r\n;c\r\n"},
        WriteCase{"NewKeyAfterUnterminatedKey", "[a]\r\nk=1", "a", "n", "2", "[a]\r\nk=1\r\nn=2\r\n"},
        WriteCase{"NewKeyAfterUnterminatedHeader", "[a]", "a", "n", "2", "[a]\r\nn=2\r\n"},
        WriteCase{"NewKeyIntoLfFile", "[a]\nk=1\n[b]\n", "a", "n", "2", "[a]\nk=1\nn=2\r\n[b]\n"},
        WriteCase{"NewKeyIntoFirstOfDuplicates", "[s]\r\nk=1\r\n[s]\r\n", "s", "n", "2",
                  "[s]\r\nk=1\r\nn=2\r\n[s]\r\n"},
        WriteCase{"NewSectionAtEnd", "[a]\r\nk=1\r\n;end\r\n\r\n", "b", "n", "2", "[a]\r\nk=1\r\n;end\r\n\r\n[b]\r\nn=2\r\n"},
        WriteCase{"NewSectionAfterUnterminatedLine", "[a]\r\nk=1", "b", "n", "2", "[a]\r\nk=1\r\n[b]\r\nn=2\r\n"},
        WriteCase{"NewSectionIntoLfFile", "[a]\nk=1\n", "b", "n", "2", "[a]\nk=1\n[b]\r\nn=2\r\n"},
        WriteCase{"NewSectionNotAfterKeysBeforeAnySection", "k=1\r\n", "", "k", "2", "k=1\r\n[]\r\nk=2\r\n"},
        WriteCase{"NewFile", "", "  s ", " k ", "v", "[s]\r\nk=v\r\n"},
        WriteCase{"NulsBeforeFirstSectionKept", "Data \0 before \0 first \0 section"s, "section1", "key1", "string1",
                  "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"s},
        WriteCase{"DoubleByteNames", "[" + kLai + "]\r\n" + kLong + "=1\r\n", kLai, kLong, "C:\\" + kDou + "\\a.avi",
                  "[" + kLai + "]\r\n" + kLong + "=C:\\" + kDou + "\\a.avi\r\n"},
        WriteCase{"TrailLetterIsAnotherKey", "[s]\r\n\xB0\x41=1\r\n", "s", "\xB0\x61", "2",
                  "[s]\r\n\xB0\x41=1\r\n\xB0\x61=2\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& p) { return std::string(p.param.name); });

TEST(IniWrite, BuildsUpInCallOrder) {
  IniDocument doc;
  doc.Set("App1", "key1", "string1");
  doc.Set("App1", "key2", "string2");
  doc.Set("App2", "key4", "string4");
  doc.Set("App1", "key3", "string3");
  doc.Set("App3", "key5", "string5");
  EXPECT_EQ(doc.Text(),
            "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
            "[App3]\r\nkey5=string5\r\n");
}

TEST(IniWrite, KeyNamesDifferingInCaseAreOneKey) {
  IniDocument doc("[kk]\r\nresume=0\r\n");
  EXPECT_TRUE(doc.Set("kk", "time", "10"));
  EXPECT_TRUE(doc.Set("KK", "Time", "20"));
  EXPECT_EQ(doc.Get("kk", "TIME"), "20");
  EXPECT_EQ(doc.Text(), "[kk]\r\nresume=0\r\ntime=20\r\n");
}

TEST(IniWrite, CommentKeyIsAppendedEveryTime) {
  IniDocument doc("[s]\r\nk=1\r\n");
  EXPECT_TRUE(doc.Set("s", ";c", "1"));
  EXPECT_TRUE(doc.Set("s", ";c", "1"));
  EXPECT_EQ(doc.Text(), "[s]\r\nk=1\r\n;c=1\r\n;c=1\r\n");
}

// After any sequence of edits, the edited document answers exactly as the same bytes
// parsed afresh: the index kept up across edits never goes stale.
TEST(IniWrite, EditedDocumentMatchesFreshParse) {
  const std::vector<std::string> sections = {"a", "B", "c", "", kLai, "a"};
  const std::vector<std::string> keys = {"k", "K2", ";x", "", kDou, "[n", "v=w"};
  const std::vector<std::string> values = {"1", "", " sp ", "\"q\"", "x\r\ny", "z\rk=3", "C:\\" + kFilm};
  IniDocument doc("junk\r\n[c]\r\n;c\r\n\r\n[a]\nk=0\n[B]\rz=1");
  unsigned state = 12345;
  for (int step = 0; step < 400; ++step) {
    state = state * 1103515245u + 12345u;
    const unsigned r = state >> 8;
    doc.Set(sections[r % sections.size()], keys[(r / 7) % keys.size()], values[(r / 61) % values.size()]);
    const IniDocument fresh(doc.Text());
    for (const auto& s : sections) {
      for (const auto& k : keys) ASSERT_EQ(doc.Get(s, k), fresh.Get(s, k)) << "step " << step;
    }
  }
}

}  // namespace
}  // namespace reelmark
