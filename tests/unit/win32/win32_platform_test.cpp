// The real Win32 platform against the real system (under Wine in the Windows build):
// files and their attributes, the top-level window walk, closing another program's
// window and waiting for it, and popup menus built from the menu model.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "model/menu.h"
#include "win32/popup_menu.h"
#include "win32/recovery_writer.h"
#include "win32/unique_handle.h"
#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

constexpr std::uint32_t kHiddenSystem = kAttributeHidden | kAttributeSystem;

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, base);
    static unsigned serial = 0;
    path_ = std::wstring(base) + L"reelmark-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          ::DeleteFileW(path.c_str());
        }
      } while (::FindNextFileW(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  std::wstring path_;
};

// Text in the ANSI code page, as the player's files and the stand-in's log hold it.
std::string Ansi(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
  return bytes;
}

// A film name in Chinese where the code page can hold it, so the whole road from the
// settings file to the window title is exercised in the code page.
std::wstring FilmName() {
  const std::wstring chinese = L"\u7535\u5F71.avi";
  BOOL lost = FALSE;
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, chinese.c_str(), -1, nullptr, 0, nullptr, &lost);
  return lost ? L"film.avi" : chinese;
}

class Win32FilesTest : public ::testing::Test {
 protected:
  Win32Platform platform;
  TempFolder folder;
};

TEST_F(Win32FilesTest, ReadsWholeFilesAndNothingForMissingFilesOrFolders) {
  std::string bytes(200000, 'x');
  bytes[7] = '\0';
  bytes[8] = '\xB5';  // bytes pass unchanged, whatever they are
  ASSERT_TRUE(platform.WriteFileInPlace(folder / L"a.ini", bytes));
  EXPECT_EQ(platform.ReadFileBytes(folder / L"a.ini"), bytes);
  EXPECT_EQ(platform.ReadFileBytes(folder / L"missing.ini"), std::nullopt);
  ::CreateDirectoryW((folder / L"sub").c_str(), nullptr);
  EXPECT_EQ(platform.ReadFileBytes(folder / L"sub"), std::nullopt);
}

TEST_F(Win32FilesTest, InPlaceWriteRewritesHiddenSystemFileAndKeepsItsAttributes) {
  const std::wstring path = folder / L"kk_fav.ini";
  ASSERT_TRUE(platform.WriteFileInPlace(path, "a long first content\r\n"));
  ASSERT_TRUE(platform.SetAttributes(path, kHiddenSystem));

  ASSERT_TRUE(platform.WriteFileInPlace(path, "short"));
  EXPECT_EQ(platform.ReadFileBytes(path), "short");  // nothing of the longer old content remains
  const auto attributes = platform.FileAttributes(path);
  ASSERT_TRUE(attributes);
  EXPECT_EQ(*attributes & kHiddenSystem, kHiddenSystem);
}

TEST_F(Win32FilesTest, AtomicReplaceReplacesHiddenSystemFileAndLeavesNothingBeside) {
  const std::wstring path = folder / L"kk_fav.ini";
  ASSERT_TRUE(platform.WriteFileInPlace(path, "old"));
  ASSERT_TRUE(platform.SetAttributes(path, kHiddenSystem | kAttributeReadOnly));

  ASSERT_EQ(platform.ReplaceFileAtomically(path, "new content", OldAttributes::Clear), 0u);
  EXPECT_EQ(platform.ReadFileBytes(path), "new content");
  EXPECT_EQ(platform.FileAttributes(path + L".new"), std::nullopt);
  // A stale temporary file of an interrupted run does not stand in the way.
  ASSERT_TRUE(platform.WriteFileInPlace(path + L".new", "stale"));
  ASSERT_TRUE(platform.SetAttributes(path + L".new", kHiddenSystem));
  ASSERT_EQ(platform.ReplaceFileAtomically(path, "newer", OldAttributes::Clear), 0u);
  EXPECT_EQ(platform.ReadFileBytes(path), "newer");
}

TEST_F(Win32FilesTest, AtomicReplaceCanKeepTheOldAttributesAndLeaveAReadOnlyFile) {
  const std::wstring path = folder / L"mplayer.pls";
  ASSERT_TRUE(platform.WriteFileInPlace(path, "old"));
  ASSERT_TRUE(platform.SetAttributes(path, kAttributeHidden));
  ASSERT_EQ(platform.ReplaceFileAtomically(path, "new", OldAttributes::Keep), 0u);
  EXPECT_EQ(platform.ReadFileBytes(path), "new");
  EXPECT_EQ(platform.FileAttributes(path).value_or(0) & (kHiddenSystem | kAttributeReadOnly), kAttributeHidden);

  ASSERT_TRUE(platform.SetAttributes(path, kAttributeReadOnly));
  EXPECT_EQ(platform.ReplaceFileAtomically(path, "newer", OldAttributes::Keep), static_cast<SystemError>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(platform.ReadFileBytes(path), "new");
  EXPECT_EQ(platform.FileAttributes(path).value_or(0) & kAttributeReadOnly, kAttributeReadOnly);
}

TEST_F(Win32FilesTest, FailedAtomicReplaceKeepsTheOldState) {
  // The destination is a folder: it cannot be replaced by a file.
  const std::wstring path = folder / L"kk_fav.ini";
  ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
  // The reason is the failed move's, not that of the clean-up after it.
  EXPECT_EQ(platform.ReplaceFileAtomically(path, "new", OldAttributes::Clear),
            static_cast<SystemError>(ERROR_ACCESS_DENIED));
  const auto attributes = platform.FileAttributes(path);
  ASSERT_TRUE(attributes);
  EXPECT_NE(*attributes & kAttributeDirectory, 0u);
  EXPECT_EQ(platform.FileAttributes(path + L".new"), std::nullopt);

  // The temporary file cannot be made: the old file is untouched, attributes included.
  const std::wstring kept = folder / L"kept.ini";
  ASSERT_TRUE(platform.WriteFileInPlace(kept, "old"));
  ASSERT_TRUE(platform.SetAttributes(kept, kHiddenSystem));
  ASSERT_TRUE(::CreateDirectoryW((kept + L".new").c_str(), nullptr));
  EXPECT_NE(platform.ReplaceFileAtomically(kept, "new", OldAttributes::Clear), 0u);
  EXPECT_EQ(platform.ReadFileBytes(kept), "old");
  EXPECT_EQ(platform.FileAttributes(kept).value_or(0) & kHiddenSystem, kHiddenSystem);
}

// Start-up puts a recovery file in place of kk_fav.ini: over a hidden, system or
// read-only file; a folder in the way, or a file held open, leave both as they were.
TEST_F(Win32FilesTest, MoveOverReplacesAnyFileAndAFailedMoveLeavesBoth) {
  const std::wstring from = folder / L"kk_fav.recovery.ini";
  const std::wstring to = folder / L"kk_fav.ini";
  ASSERT_TRUE(platform.WriteFileInPlace(to, "old"));
  ASSERT_TRUE(platform.SetAttributes(to, kHiddenSystem | kAttributeReadOnly));
  ASSERT_TRUE(platform.WriteFileInPlace(from, "recovered"));
  ASSERT_TRUE(platform.SetAttributes(from, kHiddenSystem));
  ASSERT_EQ(platform.MoveFileOver(from, to), 0u);
  EXPECT_EQ(platform.ReadFileBytes(to), "recovered");
  EXPECT_EQ(platform.FileAttributes(to).value_or(0) & kHiddenSystem, kHiddenSystem);
  EXPECT_EQ(platform.FileAttributes(from), std::nullopt);

  // Held open by another program that shares nothing.
  ASSERT_TRUE(platform.WriteFileInPlace(from, "newer"));
  {
    const UniqueFile held(::CreateFileW(to.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_NE(platform.MoveFileOver(from, to), 0u);
  }
  EXPECT_EQ(platform.ReadFileBytes(to), "recovered");
  EXPECT_EQ(platform.FileAttributes(to).value_or(0) & kHiddenSystem, kHiddenSystem);
  EXPECT_EQ(platform.ReadFileBytes(from), "newer");

  const std::wstring inTheWay = folder / L"in-the-way";
  ASSERT_TRUE(::CreateDirectoryW(inTheWay.c_str(), nullptr));
  EXPECT_NE(platform.MoveFileOver(from, inTheWay), 0u);
  EXPECT_NE(platform.FileAttributes(inTheWay).value_or(0) & kAttributeDirectory, 0u);
  EXPECT_EQ(platform.ReadFileBytes(from), "newer");
}

TEST_F(Win32FilesTest, PlainFileTestAttributesAndRemoval) {
  const std::wstring plain = folder / L"kk.ini";
  const std::wstring hidden = folder / L"hidden.ini";
  const std::wstring system = folder / L"system.ini";
  for (const auto* path : {&plain, &hidden, &system}) ASSERT_TRUE(platform.WriteFileInPlace(*path, "x"));
  ASSERT_TRUE(platform.SetAttributes(hidden, kAttributeHidden));
  ASSERT_TRUE(platform.SetAttributes(system, kAttributeSystem));
  ::CreateDirectoryW((folder / L"folder").c_str(), nullptr);

  EXPECT_TRUE(IsPlainFile(platform, plain));
  EXPECT_FALSE(IsPlainFile(platform, hidden));
  EXPECT_FALSE(IsPlainFile(platform, system));
  EXPECT_FALSE(IsPlainFile(platform, folder / L"folder"));
  EXPECT_FALSE(IsPlainFile(platform, folder / L"missing.ini"));

  EXPECT_TRUE(platform.RemoveFile(plain));
  EXPECT_EQ(platform.FileAttributes(plain), std::nullopt);
  EXPECT_FALSE(platform.RemoveFile(plain));
}

// What a recovery file is newer than: every write of a file gives it another stamp, and
// a touch does too without its bytes, also on a read-only file; a missing file is made.
TEST_F(Win32FilesTest, StampsChangeWithEveryWriteAndTouch) {
  const std::wstring path = folder / L"kk_fav.ini";
  EXPECT_EQ(platform.FileStamp(path), std::nullopt);
  ASSERT_TRUE(platform.TouchFile(path));
  EXPECT_EQ(platform.ReadFileBytes(path), "");
  ASSERT_EQ(platform.ReplaceFileAtomically(path, "saved", OldAttributes::Clear), 0u);
  const auto saved = platform.FileStamp(path);
  ASSERT_TRUE(saved);
  ASSERT_TRUE(platform.SetAttributes(path, kHiddenSystem | kAttributeReadOnly));
  EXPECT_EQ(platform.FileStamp(path), saved);
  // The clock of file times moves in steps that may be coarse: the touch comes later.
  for (FILETIME now{}; ::GetSystemTimeAsFileTime(&now), (static_cast<std::uint64_t>(now.dwHighDateTime) << 32 |
                                                          now.dwLowDateTime) <= *saved;) {
    ::Sleep(1);
  }
  ASSERT_TRUE(platform.TouchFile(path));
  EXPECT_GT(platform.FileStamp(path).value_or(0), *saved);
  EXPECT_EQ(platform.ReadFileBytes(path), "saved");
  EXPECT_EQ(platform.FileStamp(folder / L"."), std::nullopt);  // a folder
}

// The recovery file's writer on a thread of its own: while it writes one file, the next
// ones handed wait and only the newest is written; each write done is posted to the
// window; a wait is bounded; and its end never waits for a write that is stuck.
TEST_F(Win32FilesTest, TheWriterWritesTheNewestOnItsOwnThread) {
  const HWND window = ::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const UniqueKernelHandle go(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const UniqueKernelHandle begun(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  const std::wstring path = folder / L"kk_fav.recovery.ini";
  DWORD writerThread = 0;
  const auto job = [&](std::uint32_t number, bool wait) {
    return RecoveryWriter::Job{number, path,
                               [&, number, wait] {
                                 writerThread = ::GetCurrentThreadId();
                                 if (wait) ::SignalObjectAndWait(begun.get(), go.get(), INFINITE, FALSE);
                                 return "file " + std::to_string(number);
                               },
                               kHiddenSystem, window};
  };
  {
    RecoveryWriter writer;
    writer.Hand(job(1, true));
    ASSERT_EQ(::WaitForSingleObject(begun.get(), 10000), WAIT_OBJECT_0);
    writer.Hand(job(2, false));
    writer.Hand(job(3, false));
    EXPECT_EQ(writer.Wait(50), std::nullopt);  // the first is still at it
    ::SetEvent(go.get());
    const auto last = writer.Wait(10000);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->number, 3u);
    EXPECT_TRUE(last->succeeded);
    EXPECT_NE(writerThread, ::GetCurrentThreadId());
    EXPECT_EQ(platform.ReadFileBytes(path), "file 3");
    EXPECT_EQ(platform.FileAttributes(path).value_or(0) & kHiddenSystem, kHiddenSystem);
    std::vector<WPARAM> told;
    for (MSG message{}; ::PeekMessageW(&message, window, kRecoveryWrittenMessage, kRecoveryWrittenMessage, PM_REMOVE);) {
      if (message.lParam == 1) told.push_back(message.wParam);
    }
    EXPECT_EQ(told, (std::vector<WPARAM>{1, 3}));

    ::ResetEvent(go.get());
    writer.Hand(job(4, true));  // stuck: the writer goes without it
    ASSERT_EQ(::WaitForSingleObject(begun.get(), 10000), WAIT_OBJECT_0);
  }
  // Let go at last, its thread still writes it, then ends.
  ::SetEvent(go.get());
  for (int i = 0; i < 10000 && !(platform.ReadFileBytes(path) == "file 4" &&
                                 (platform.FileAttributes(path).value_or(0) & kHiddenSystem) == kHiddenSystem);
       ++i) {
    ::Sleep(1);
  }
  EXPECT_EQ(platform.ReadFileBytes(path), "file 4");
  ::DestroyWindow(window);
}

TEST(Win32WindowsTest, TopLevelWindowsSeeHiddenTopLevelWindowsButNotChildren) {
  const UniqueWindow top(::CreateWindowExW(0, L"STATIC", L"Reelmark test top", WS_OVERLAPPED, 0, 0, 50, 50,
                                           nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(top);
  const HWND child = ::CreateWindowExW(0, L"STATIC", L"Reelmark test child", WS_CHILD, 0, 0, 10, 10, top.get(),
                                       nullptr, nullptr, nullptr);
  ASSERT_TRUE(child);
  ASSERT_FALSE(::IsWindowVisible(top.get()));

  Win32Platform platform;
  bool sawTop = false;
  for (const TopLevelWindow& window : platform.TopLevelWindows()) {
    if (window.handle == reinterpret_cast<WindowHandle>(top.get())) {
      sawTop = true;
      EXPECT_EQ(window.title, L"Reelmark test top");
    }
    EXPECT_NE(window.handle, reinterpret_cast<WindowHandle>(child));
    EXPECT_NE(window.title, L"Reelmark test child");
  }
  EXPECT_TRUE(sawTop);
}

TEST(Win32WindowsTest, PopupMenuCarriesCommandIdsAndSubmenus) {
  Menu model{"mnumov", L"\u79FB\u52A8", {}};
  model.items.push_back({"bofang", L"\u64AD\u653E", 0, {{"bofang1", L"\u6240\u9009\u6587\u4EF6", 2001, {}},
                                                       {"bofang2", L"mplayer.pls", 2003, {}}}});
  model.items.push_back({"moveup", L"\u4E0A\u79FB", 2004, {}});

  const UniqueMenu menu = BuildPopupMenu(model);
  ASSERT_TRUE(menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 2);
  const HMENU submenu = ::GetSubMenu(menu.get(), 0);
  ASSERT_NE(submenu, nullptr);
  EXPECT_EQ(::GetMenuItemCount(submenu), 2);
  EXPECT_EQ(::GetMenuItemID(submenu, 0), 2001u);
  EXPECT_EQ(::GetMenuItemID(submenu, 1), 2003u);
  EXPECT_EQ(::GetMenuItemID(menu.get(), 1), 2004u);
  wchar_t caption[64] = {};
  ::GetMenuStringW(menu.get(), 0, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"\u64AD\u653E");
}

// The stand-in player, copied into a fresh player folder as mplayer.exe.
class StandinPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring built = platform.ProgramDirectory() + L"\\..\\..\\tools\\standin-player\\standin-player.exe";
    ASSERT_TRUE(::CopyFileW(built.c_str(), player().c_str(), FALSE))
        << "the stand-in player is built beside the tests, in tools/standin-player";
  }

  std::wstring player() const { return folder / L"mplayer.exe"; }

  // Waits for the player's window with this title; 0 when it does not come.
  WindowHandle WaitForWindow(const std::wstring& title) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      for (const TopLevelWindow& window : platform.TopLevelWindows()) {
        if (window.title == title) return window.handle;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
  }

  std::string Read(const std::wstring& name) { return platform.ReadFileBytes(folder / name).value_or(""); }

  Win32Platform platform;
  TempFolder folder;
};

TEST_F(StandinPlayerTest, ResumesTheRecordedFilmAndRecordsItWhenClosedAndWaitedFor) {
  const std::wstring film = FilmName();
  const std::string path = "C:\\films\\" + Ansi(film);
  ASSERT_TRUE(platform.WriteFileInPlace(folder / L"kk.ini", "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\n"
                                                             "Filename=" + path + "\r\nTime=1234\r\n"));
  // The program's resume start: the player's path, one blank, no argument.
  platform.StartProcess(L"\"" + player() + L"\" ");
  const WindowHandle window = WaitForWindow(L"MPlayer - " + film);
  ASSERT_NE(window, 0u);
  // Whatever the file holds meanwhile, closing records the film where it stopped.
  ASSERT_TRUE(platform.WriteFileInPlace(folder / L"kk.ini", "[Option]\r\nauto_resume=1\r\n[Status]\r\ntime=5\r\n"));

  EXPECT_TRUE(platform.CloseWindowAndWaitForExit(window, 30000));
  EXPECT_FALSE(::IsWindow(reinterpret_cast<HWND>(window)));  // its process has ended
  const std::string settings = Read(L"kk.ini");
  EXPECT_NE(settings.find("Filename=" + path + "\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("time=1234\r\n"), std::string::npos) << settings;
  EXPECT_EQ(Read(L"standin.log"), "args= \tmode=resume\tfile=" + path + "\tat=1234\r\n");
}

TEST_F(StandinPlayerTest, PlaysAPlaylistAndReportsWhatItIsToldTo) {
  ASSERT_TRUE(platform.WriteFileInPlace(folder / L"kk.ini", "[Option]\r\nauto_resume= 1\r\n"));
  ASSERT_TRUE(platform.WriteFileInPlace(folder / L"mplayer.pls", "D:\\m\\first.avi\r\nD:\\m\\second.avi\r\n"));
  ASSERT_TRUE(platform.WriteFileInPlace(folder / L"standin.ini",
                                        "[standin]\r\nreport_file=E:\\other.mkv\r\nreport_time=77\r\n"));
  const std::wstring arguments = L" -playlist " + (folder / L"mplayer.pls");
  platform.StartProcess(L"\"" + player() + L"\"" + arguments);
  const WindowHandle window = WaitForWindow(L"MPlayer - first.avi");
  ASSERT_NE(window, 0u);

  EXPECT_TRUE(platform.CloseWindowAndWaitForExit(window, 30000));
  const std::string settings = Read(L"kk.ini");
  EXPECT_NE(settings.find("Filename=E:\\other.mkv"), std::string::npos) << settings;
  EXPECT_NE(settings.find("time=77"), std::string::npos) << settings;
  EXPECT_EQ(Read(L"standin.log"), "args=" + Ansi(arguments) + "\tmode=playlist\tfile=D:\\m\\first.avi\tat=0\r\n");
}

TEST_F(StandinPlayerTest, WithoutResumeOptionItPlaysItsArgumentsAndRecordsNothing) {
  // No kk.ini at all: the player still starts, and closing it writes no settings file.
  platform.StartProcess(L"\"" + player() + L"\" D:\\a.avi D:\\b.avi");
  const WindowHandle window = WaitForWindow(L"MPlayer - a.avi");
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(platform.CloseWindowAndWaitForExit(window, 30000));
  EXPECT_EQ(platform.FileAttributes(folder / L"kk.ini"), std::nullopt);
  EXPECT_EQ(Read(L"standin.log"), "args= D:\\a.avi D:\\b.avi\tmode=files\tfile=D:\\a.avi\tat=0\r\n");
}

TEST(Win32ProcessTest, ClosingAWindowThatIsGoneWaitsForNothing) {
  HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(gone);
  ::DestroyWindow(gone);
  Win32Platform platform;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(platform.CloseWindowAndWaitForExit(reinterpret_cast<WindowHandle>(gone), 5000));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

}  // namespace
}  // namespace reelmark::win32
