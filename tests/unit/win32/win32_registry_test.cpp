// The registry half of the real Win32 platform, below a key of the current user's own
// that the test removes again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

class Win32RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str()); }

  const std::wstring base = L"Software\\reelmark-test-" + std::to_wstring(::GetCurrentProcessId());
  Win32Platform platform;
};

TEST_F(Win32RegistryTest, CreatesEveryLevelAndStoresTextAndDoubleWordsIntact) {
  const std::wstring key = base + L"\\*\\shell\\Mplayer播放\\Command";
  // A value needs an existing key.
  EXPECT_EQ(platform.SetRegistryValue(RegistryRoot::CurrentUser, key, L"", RegistryValue{L"x"}), ERROR_FILE_NOT_FOUND);
  ASSERT_TRUE(platform.CreateRegistryKey(RegistryRoot::CurrentUser, key));
  ASSERT_TRUE(platform.CreateRegistryKey(RegistryRoot::CurrentUser, key));  // an existing key is fine
  const std::wstring text = L"\"D:\\电影 播放\\mplayer.exe\" \"%1\"";
  EXPECT_EQ(platform.SetRegistryValue(RegistryRoot::CurrentUser, key, L"", RegistryValue{text}), 0);
  EXPECT_EQ(platform.SetRegistryValue(RegistryRoot::CurrentUser, key, L"n", RegistryValue{0xFFFFFFFEu}), 0);

  wchar_t read[256] = {};
  DWORD type = 0, size = sizeof read;
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_ANY, &type, read, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(read), text);
  EXPECT_EQ(size, (text.size() + 1) * sizeof(wchar_t));  // the terminating zero is stored too
  DWORD number = 0;
  size = sizeof number;
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"n", RRF_RT_REG_DWORD, &type, &number, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(number, 0xFFFFFFFEu);
}

}  // namespace
}  // namespace reelmark::win32
