// The clipboard and dropped files on the real system: text put on the clipboard reads
// back in both text formats, and a drop's paths come out in order, wide or ANSI.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/text.h"
#include "win32/dropped_files.h"
#include "win32/unique_handle.h"
#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

std::string ClipboardBytes(UINT format) {
  if (!::OpenClipboard(nullptr)) return "<clipboard not opened>";
  std::string bytes = "<no data>";
  if (const HANDLE data = ::GetClipboardData(format)) {
    const void* locked = ::GlobalLock(data);
    bytes.assign(static_cast<const char*>(locked), ::GlobalSize(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return bytes;
}

std::wstring ClipboardUnicodeText() {
  const std::string bytes = ClipboardBytes(CF_UNICODETEXT);
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

TEST(Win32ClipboardTest, TextReadsBackAsUnicodeAndInTheAnsiCodePage) {
  const UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                             nullptr, nullptr));
  ASSERT_TRUE(owner);
  Win32Platform platform;
  platform.SetMainWindow(owner.get());
  for (const std::wstring& text : {std::wstring(L"D:\\电影\\a b.rmvb"), std::wstring()}) {
    platform.PutTextOnClipboard(text);
    EXPECT_EQ(ClipboardUnicodeText(), text);
    const std::string ansi = ClipboardBytes(CF_TEXT);
    EXPECT_EQ(ansi.substr(0, ansi.find('\0')), ToAnsi(text));
  }
}

// A drop block as the shell makes it: DROPFILES, then the paths, each ended by a zero,
// and one more zero.
template <typename Char>
HDROP MakeDrop(const std::vector<std::basic_string<Char>>& paths) {
  std::basic_string<Char> list;
  for (const auto& path : paths) list.append(path).push_back(Char{});
  list.push_back(Char{});
  const size_t size = sizeof(DROPFILES) + list.size() * sizeof(Char);
  const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = sizeof(Char) == sizeof(wchar_t);
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(Char));
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

TEST(Win32DropTest, PathsComeOutInTheDropsOrder) {
  const std::vector<std::wstring> wide = {L"C:\\films\\x.avi", L"D:\\电影\\长 夜.mkv", L"E:\\a"};
  EXPECT_EQ(TakeDroppedFiles(MakeDrop(wide)), wide);
  const std::vector<std::string> ansi = {ToAnsi(L"C:\\films\\x.avi"), ToAnsi(L"D:\\电影\\长 夜.mkv")};
  EXPECT_EQ(TakeDroppedFiles(MakeDrop(ansi)), (std::vector<std::wstring>{L"C:\\films\\x.avi", L"D:\\电影\\长 夜.mkv"}));
}

}  // namespace
}  // namespace reelmark::win32
