// Handing several favourites to the player at once: the playlist file mplayer.pls, and
// the command lines that start the player on it or on a run of films.
#pragma once

#include <string>
#include <vector>

namespace reelmark {

inline constexpr wchar_t kPlaylistFile[] = L"mplayer.pls";

// The playlist's bytes for the list's rows (row 0, the header, is left out): each
// favourite's path as it stands, CR LF after each, in the ANSI code page. No favourites
// give no bytes.
std::string PlaylistBytes(const std::vector<std::wstring>& rows);

// <dir>\mplayer.exe -playlist <dir>\mplayer.pls
std::wstring PlaylistCommandLine(const std::wstring& programDirectory);

// The longest command line the system starts a program with, in characters.
inline constexpr size_t kMaxCommandLine = 32766;

// <dir>\mplayer.exe followed by one blank and then, for each path, a blank and the path
// as one argument (CommandLineArgument): two blanks stand before the first path. Paths
// that would make the line, as written, too long for the system are left off, from the
// first that does not fit: the player then gets the run of films from the first one on,
// as many as it can be given.
std::wstring FilesCommandLine(const std::wstring& programDirectory, const std::vector<std::wstring>& paths);

}  // namespace reelmark
