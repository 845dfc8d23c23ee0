// Text at the boundary with other programs: the system's ANSI code page.
// Inside, the program's text is std::wstring; INI files, playlists, command lines
// and registry text are bytes in the ANSI code page and are converted only here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace reelmark {

// Characters the code page cannot hold become '?', as the system does.
std::string ToAnsi(std::wstring_view text);
// The text in the code page only when the code page holds every character of it exactly
// (no '?', no look-alike); nothing otherwise.
std::optional<std::string> ToAnsiExact(std::wstring_view text);
// Bytes that are not valid in the code page become '?'; they never stop the conversion.
std::wstring FromAnsi(std::string_view bytes);
// True for the first byte of a double-byte character of the ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);

// The ANSI code page in use. On Windows it is the system's and cannot be changed;
// elsewhere it is 936 unless a test chooses another (936 or 1252).
unsigned AnsiCodePage();
void SetAnsiCodePage(unsigned codePage);

}  // namespace reelmark
