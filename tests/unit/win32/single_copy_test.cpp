// One copy per program folder on the real system: the names a folder's copy is found by,
// however the folder is written, and the folder's lock.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "win32/single_copy.h"

namespace reelmark::win32 {
namespace {

std::wstring Cased(std::wstring text, bool upper) {
  if (upper) ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  else ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// An empty folder with a long name: blanks, more than eight letters, a letter beyond ASCII.
class LongNamedFolder {
 public:
  LongNamedFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, base);
    path_ = std::wstring(base) + L"Reelmark Ärger folder " + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~LongNamedFolder() { ::RemoveDirectoryW(path_.c_str()); }
  LongNamedFolder(const LongNamedFolder&) = delete;
  LongNamedFolder& operator=(const LongNamedFolder&) = delete;
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

TEST(SingleCopyNames, OneFolderHasOneNameHoweverItIsWrittenAndAnotherFolderAnother) {
  const LongNamedFolder folder;
  const std::wstring& path = folder.Path();
  const SingleCopyNames names = SingleCopyNamesOfFolder(path);
  // A kernel object name in the session's namespace: no backslash of its own, short.
  ASSERT_EQ(names.mutex.rfind(L"Local\\Reelmark-", 0), 0u);
  EXPECT_EQ(names.mutex.find(L'\\', 6), std::wstring::npos);
  EXPECT_LT(names.mutex.size(), static_cast<size_t>(MAX_PATH));
  EXPECT_LT(names.handOffClass.size(), 256u);

  std::wstring shortPath(MAX_PATH, L'\0');
  shortPath.resize(::GetShortPathNameW(path.c_str(), shortPath.data(), MAX_PATH));
  struct Case {
    const char* how;
    std::wstring path;
  };
  std::vector<Case> same = {
      {"lower case", Cased(path, false)},
      {"upper case", Cased(path, true)},
      {"with a trailing backslash", path + L"\\"},
      {"behind the \\\\?\\ prefix", L"\\\\?\\" + path},
  };
  if (!shortPath.empty() && shortPath != path) {
    same.push_back({"through its short name", shortPath});
    same.push_back({"through its short name, lower case, with a trailing backslash", Cased(shortPath, false) + L"\\"});
  } else {
    std::printf("note: this file system gives the folder no short name; the short-name case is not tested\n");
  }
  for (const Case& c : same) {
    const SingleCopyNames seen = SingleCopyNamesOfFolder(c.path);
    EXPECT_EQ(seen.mutex, names.mutex) << c.how;
    EXPECT_EQ(seen.handOffClass, names.handOffClass) << c.how;
  }
  EXPECT_NE(SingleCopyNamesOfFolder(path + L"2").mutex, names.mutex);
  EXPECT_NE(SingleCopyNamesOfFolder(path.substr(0, path.rfind(L'\\'))).mutex, names.mutex);
}

TEST(FolderLock, OneHolderAtATimeAndALockLeftByAnEndedHolderIsFree) {
  const std::wstring name = L"Local\\Reelmark-test-" + std::to_wstring(::GetCurrentProcessId());
  auto first = std::make_unique<FolderLock>(name);
  EXPECT_TRUE(first->Held());
  std::thread([&] {
    FolderLock second(name);
    EXPECT_FALSE(second.Held());
    EXPECT_FALSE(second.Take(50));
  }).join();
  first.reset();

  // Its thread ends holding the lock, as a copy that crashed.
  std::unique_ptr<FolderLock> crashed;
  std::thread([&] {
    crashed = std::make_unique<FolderLock>(name);
    EXPECT_TRUE(crashed->Held());
  }).join();
  {
    const FolderLock next(name);
    EXPECT_TRUE(next.Held());
  }
}

}  // namespace
}  // namespace reelmark::win32
