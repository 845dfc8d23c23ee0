#include "player/playlist.h"

#include "base/text.h"
#include "persistence/favourites.h"
#include "player/command_line.h"
#include "player/player.h"

namespace reelmark {
namespace {

std::wstring PlayerCommand(const std::wstring& programDirectory) {
  return QuotedIfBlank(programDirectory + L"\\" + kPlayerExe);
}

}  // namespace

std::string PlaylistBytes(const std::vector<std::wstring>& rows) {
  std::wstring text;
  for (size_t i = 1; i < rows.size(); ++i) {
    text += ParseListLine(rows[i]).path;
    text += L"\r\n";
  }
  return ToAnsi(text);
}

std::wstring PlaylistCommandLine(const std::wstring& programDirectory) {
  return PlayerCommand(programDirectory) + L" -playlist " + QuotedIfBlank(programDirectory + L"\\" + kPlaylistFile);
}

std::wstring FilesCommandLine(const std::wstring& programDirectory, const std::vector<std::wstring>& paths) {
  std::wstring line = PlayerCommand(programDirectory) + L" ";
  for (const std::wstring& path : paths) {
    const std::wstring argument = QuotedIfBlank(path);
    if (line.size() + 1 + argument.size() > kMaxCommandLine) break;
    line += L' ';
    line += argument;
  }
  return line;
}

}  // namespace reelmark
