#include "player/playlist.h"

#include "base/text.h"
#include "persistence/favourites.h"
#include "player/command_line.h"
#include "player/player.h"

namespace reelmark {

std::string PlaylistBytes(const std::vector<std::wstring>& rows) {
  std::wstring text;
  for (size_t i = 1; i < rows.size(); ++i) {
    text += ListLinePath(rows[i]);
    text += L"\r\n";
  }
  return ToAnsi(text);
}

std::wstring PlaylistCommandLine(const std::wstring& programDirectory) {
  return PlayerCommandLine(programDirectory) + L"-playlist " +
         CommandLineArgument(programDirectory + L"\\" + kPlaylistFile);
}

std::wstring FilesCommandLine(const std::wstring& programDirectory, const std::vector<std::wstring>& paths) {
  std::wstring line = PlayerCommandLine(programDirectory);
  for (const std::wstring& path : paths) {
    const std::wstring argument = CommandLineArgument(path);
    if (line.size() + 1 + argument.size() > kMaxCommandLine) break;
    line += L' ';
    line += argument;
  }
  return line;
}

}  // namespace reelmark
