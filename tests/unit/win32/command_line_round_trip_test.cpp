// The player's command lines split back by the system's own splitter: the program and
// every path arrive as exactly one word each, naming the same file.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "player/command_line.h"
#include "player/playlist.h"

namespace reelmark {
namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* words) const noexcept { ::LocalFree(words); }
};

std::vector<std::wstring> Split(const std::wstring& commandLine) {
  int count = 0;
  const std::unique_ptr<LPWSTR[], LocalFreeDeleter> words(::CommandLineToArgvW(commandLine.c_str(), &count));
  if (!words) return {};
  return std::vector<std::wstring>(words.get(), words.get() + count);
}

TEST(CommandLineRoundTrip, TheSystemSplitsEachPathBackIntoOneArgument) {
  // Every pair of these pieces is a path: blanks, tabs, quotes with and without
  // backslashes before them, backslashes at the end, a leading '-', Chinese.
  const std::wstring pieces[] = {L"",   L"C:\\films\\a.avi", L"D:\\My Films\\", L"x\ty", L"\\\\",
                                 L"\"", L"\\\"",             L"-x.avi",         L"电影 一"};
  std::vector<std::wstring> paths, arguments;
  for (const std::wstring& first : pieces) {
    for (const std::wstring& second : pieces) {
      const std::wstring path = first + second;
      if (path.empty()) continue;
      paths.push_back(path);
      arguments.push_back(path[0] == L'-' ? L".\\" + path : path);  // the same file, not an option
    }
  }
  // A root folder, blanks, a tab, Chinese, and a folder ending in a backslash.
  const std::wstring folders[] = {L"C:", L"D:\\MPlayer", L"C:\\Program Files\\MPlayer", L"E:\\影音\t播放器",
                                  L"F:\\My Player\\"};
  for (const std::wstring& folder : folders) {
    const std::wstring program = folder + L"\\mplayer.exe";
    std::vector<std::wstring> files = {program};
    files.insert(files.end(), arguments.begin(), arguments.end());
    const std::wstring filesLine = FilesCommandLine(folder, paths);
    ASSERT_LT(filesLine.size(), kMaxCommandLine);
    EXPECT_EQ(Split(filesLine), files) << filesLine;
    EXPECT_EQ(Split(PlaylistCommandLine(folder)),
              (std::vector<std::wstring>{program, L"-playlist", folder + L"\\mplayer.pls"}));
    EXPECT_EQ(Split(PlayerCommandLine(folder)), std::vector<std::wstring>{program});
  }
}

}  // namespace
}  // namespace reelmark
