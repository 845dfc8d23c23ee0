#include "persistence/module_ini.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_platform.h"

namespace reelmark {
namespace {

using ModuleIni::ReadIni;
using ModuleIni::WriteIni;

class ModuleIniTest : public ::testing::Test {
 protected:
  testing::FakePlatform platform;
  const std::wstring file = platform.Path(L"kk.ini");
};

TEST_F(ModuleIniTest, AbsentReadsEmpty) {
  EXPECT_EQ(ReadIni(platform, file, L"s", L"k"), L"");
  EXPECT_EQ(platform.GetFile(file), nullptr);  // reading never creates the file
  platform.PutFile(file, "[s]\r\nk=\r\nj=1\r\n");
  EXPECT_EQ(ReadIni(platform, file, L"t", L"j"), L"");
  EXPECT_EQ(ReadIni(platform, file, L"s", L"x"), L"");
  EXPECT_EQ(ReadIni(platform, file, L"s", L"k"), L"");
  EXPECT_EQ(ReadIni(platform, file, L"s", L"j"), L"1");
}

TEST_F(ModuleIniTest, ReadTrimsSpacesInsideQuotesToo) {
  platform.PutFile(file, "[s]\r\na=  12  \r\nb=\"  12  \"\r\nc=\"\t12\"\r\n");
  EXPECT_EQ(ReadIni(platform, file, L"s", L"a"), L"12");
  EXPECT_EQ(ReadIni(platform, file, L"s", L"b"), L"12");
  EXPECT_EQ(ReadIni(platform, file, L"s", L"c"), L"\t12");  // spaces only, not tabs
}

TEST_F(ModuleIniTest, FileAndNamesIgnoreCase) {
  EXPECT_EQ(WriteIni(platform, platform.Path(L"kk.INI"), L"kk", L"time", L"10"), L"1");
  EXPECT_EQ(ReadIni(platform, file, L"KK", L"Time"), L"10");
  EXPECT_EQ(WriteIni(platform, file, L"kk", L"Time", L"20"), L"1");
  EXPECT_EQ(platform.Bytes(file), "[kk]\r\ntime=20\r\n");
}

TEST_F(ModuleIniTest, WriteCreatesFile) {
  EXPECT_EQ(WriteIni(platform, file, L"s", L"k", L"v"), L"1");
  EXPECT_EQ(platform.Bytes(file), "[s]\r\nk=v\r\n");
}

TEST_F(ModuleIniTest, EmptyValueKeepsKey) {
  platform.PutFile(file, "[s]\r\nk=1\r\n");
  EXPECT_EQ(WriteIni(platform, file, L"s", L"k", L""), L"1");
  EXPECT_EQ(platform.Bytes(file), "[s]\r\nk=\r\n");
  EXPECT_EQ(ReadIni(platform, file, L"s", L"k"), L"");
}

TEST_F(ModuleIniTest, ChinesePathsRoundTrip) {
  // 癩 B0 5D, 籟 BB 5B, 籠 BB 5C, 竇 B8 5D: trail bytes ']', '[', '\' and ']'.
  const std::wstring path = L"D:\\电影\\癩籟\\籠竇 第1集.avi";
  EXPECT_EQ(WriteIni(platform, file, L"收藏癩", L"文件竇", path), L"1");
  EXPECT_EQ(platform.Bytes(file),
            "[\xCA\xD5\xB2\xD8\xB0\x5D]\r\n\xCE\xC4\xBC\xFE\xB8\x5D="
            "D:\\\xB5\xE7\xD3\xB0\\\xB0\x5D\xBB\x5B\\\xBB\x5C\xB8\x5D \xB5\xDA" "1\xBC\xAF.avi\r\n");
  const std::wstring first = ReadIni(platform, file, L"收藏癩", L"文件竇");
  EXPECT_EQ(first, path);
  EXPECT_EQ(ReadIni(platform, file, L"收藏癩", L"文件竇"), first);
}

TEST_F(ModuleIniTest, LongValuesReadWhole) {
  std::wstring path300 = L"C:\\";
  while (path300.size() < 300) path300 += L"abcdefghij\\";
  path300.resize(300);
  std::wstring path259 = L"C:\\";
  while (path259.size() < 259) path259 += L"影片";
  path259.resize(259);  // 518 bytes in the file
  WriteIni(platform, file, L"s", L"a", path300);
  WriteIni(platform, file, L"s", L"b", path259);
  EXPECT_EQ(ReadIni(platform, file, L"s", L"a"), path300);
  EXPECT_EQ(ReadIni(platform, file, L"s", L"b"), path259);
}

TEST_F(ModuleIniTest, WriteEditsInPlace) {
  platform.PutFile(file, "; player\n[kk]\nresume = 0\n\nauto_resume=1\n", kAttributeHidden);
  EXPECT_EQ(WriteIni(platform, file, L"kk", L"Resume", L"1"), L"1");
  EXPECT_EQ(platform.Bytes(file), "; player\n[kk]\nresume=1\n\nauto_resume=1\n");
  ASSERT_NE(platform.GetFile(file), nullptr);
  EXPECT_EQ(platform.GetFile(file)->attributes, kAttributeHidden);  // not a replaced file
}

TEST_F(ModuleIniTest, UnchangedValueWritesNothing) {
  platform.PutFile(file, "[s]\r\nk = 1\r\n");
  platform.failWrites = true;
  EXPECT_EQ(WriteIni(platform, file, L"s", L"k", L"1"), L"1");
  EXPECT_EQ(platform.WriteCount(), 0);
  EXPECT_EQ(platform.Bytes(file), "[s]\r\nk = 1\r\n");
}

TEST_F(ModuleIniTest, FailedWriteReportsZero) {
  platform.PutFile(file, "[s]\r\nk=1\r\n", kAttributeReadOnly);
  EXPECT_EQ(WriteIni(platform, file, L"s", L"k", L"2"), L"0");
  EXPECT_EQ(platform.Bytes(file), "[s]\r\nk=1\r\n");
  platform.failWrites = true;
  EXPECT_EQ(WriteIni(platform, platform.Path(L"new.ini"), L"s", L"k", L"2"), L"0");
}

TEST_F(ModuleIniTest, UnreadableFileIsNotOverwritten) {
  platform.PutFile(file, "", kAttributeDirectory);
  EXPECT_EQ(WriteIni(platform, file, L"s", L"k", L"2"), L"0");
  EXPECT_EQ(platform.WriteCount(), 0);
}

}  // namespace
}  // namespace reelmark
