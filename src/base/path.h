// Small helpers on paths and on texts read at fixed character positions.
#pragma once

#include <string>
#include <string_view>

namespace reelmark {

// The text after the last backslash, or the whole text when it has none.
std::wstring_view FileNameOf(std::wstring_view path);

// The characters from position `start` (counted from 1) to the end; empty when the text
// is shorter. Never reads past the text.
std::wstring_view FromPosition(std::wstring_view text, size_t start);

// `length` characters from position `start` (counted from 1), fewer near the end.
std::wstring_view Mid(std::wstring_view text, size_t start, size_t length);

// The text without the space characters at its start and end.
std::wstring_view TrimSpaces(std::wstring_view text);

// 0 to 25 for a path on the drive A: to Z: ("X:\", the letter in either case), or -1.
int DriveIndexOf(std::wstring_view path);

// Case-insensitive comparison of ASCII letters; every other character compares as itself.
bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b);

}  // namespace reelmark
