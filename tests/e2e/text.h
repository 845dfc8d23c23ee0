// Text conversions of the driver: code page 936 for the bytes of the player's files,
// UTF-8 for what the driver prints, and a visible form of text for failure messages.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

// The code page the program's files are written in on the systems it serves.
inline constexpr unsigned kFileCodePage = 936;

std::string ToCp936(std::wstring_view text);
std::wstring FromCp936(std::string_view bytes);
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Quoted, with CR, LF, TAB and other control characters written as escapes, so that
// "expected ... seen ..." shows every difference.
std::string Shown(std::wstring_view text);
// The same for file bytes: decoded from code page 936 when they decode, else as hex.
std::string ShownBytes(std::string_view bytes);

}  // namespace e2e
