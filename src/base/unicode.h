// Unicode text in the forms the program meets besides the ANSI code page: the UTF-16LE
// of a Unicode INI file, and UTF-8 as the INI engine walks such a file. Every conversion
// is lossless for what it produces itself: a lone surrogate of UTF-16 is carried through
// UTF-8 as its own three-byte sequence, so a file that is read and written back keeps
// every character, valid or not.
#pragma once

#include <string>
#include <string_view>

namespace reelmark {

// UTF-16LE bytes to UTF-8. A last odd byte is no character and is dropped.
std::string Utf16LeToUtf8(std::string_view bytes);
// UTF-8 to UTF-16LE bytes. A malformed byte becomes U+FFFD.
std::string Utf8ToUtf16Le(std::string_view text);

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf16Le(std::wstring_view text);

}  // namespace reelmark
