// Command lines that start the player. The system splits a command line at blanks to
// find the program: a path with a blank is put in double quotes, or a shorter path
// (C:\Program.exe for C:\Program Files\...) could be started instead.
#pragma once

#include <string>
#include <string_view>

namespace reelmark {

// The text in double quotes when it holds a blank or a tab; otherwise as it is.
std::wstring QuoteIfBlank(std::wstring_view text);

// The player's program, then one blank: "<program directory>\mplayer.exe ". Arguments
// follow the blank; with none the player resumes what its settings file names.
std::wstring PlayerCommandLine(std::wstring_view programDirectory);

}  // namespace reelmark
