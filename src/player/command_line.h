// Command lines that start the player, written so that the system splits them back into
// the same paths. The program's name is the first word: up to the next blank, or, when it
// starts with a quote, up to the next quote, with nothing escaped. Each argument after it
// ends at a blank or tab outside quotes, and there backslashes before a quote escape it.
#pragma once

#include <string>
#include <string_view>

namespace reelmark {

// The program's path as the first word: in double quotes when it holds a blank or a tab,
// or a shorter path (C:\Program.exe for C:\Program Files\...) could be started instead.
std::wstring CommandLineProgram(std::wstring_view path);

// A path as exactly one argument naming the same file. A path with a blank, a tab or a
// quote goes in double quotes, its quotes escaped and the backslashes before a quote or
// before the closing quote doubled; a path starting with '-' gets ".\" before it, or the
// player would take it for an option; any other path goes as it stands.
std::wstring CommandLineArgument(std::wstring_view path);

// The player's program, then one blank: "<program directory>\mplayer.exe ". Arguments
// follow the blank; with none the player resumes what its settings file names.
std::wstring PlayerCommandLine(std::wstring_view programDirectory);

}  // namespace reelmark
